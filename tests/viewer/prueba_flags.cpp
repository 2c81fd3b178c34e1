// Estado inicial y reglas de los flags de pantalla.
#include <cstdio>
#include <set>

#include "input/funcionLeerArchivo.h"
#include "prueba_ventana_estado.h"

namespace {

using Flags = PruebaNucleoVisor;

// Entradas usadas por las reglas
const int usadas[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21};

}  // namespace

TEST_F(Flags, EstadoInicial)
{
    for (int& f : flags) f = 7;
    funcionFlagsInicio();
    ASSERT_EQ(flags.size(), 200u);
    const std::set<int> encendidos = {9, 12, 14, 15, 16, 17};
    for (int i = 0; i < 200; i++) EXPECT_EQ(flags[i], encendidos.count(i) ? 1 : 0) << "entrada " << i;
}

TEST_F(Flags, TablaDeReglas)
{
    struct Regla {
        int i;
        std::set<int> limpia;
    };
    // Cada regla alterna su entrada y pone en 0 las de la lista
    const Regla reglas[] = {
        {0, {20}},
        {1, {20}},
        {2, {20}},
        {3, {4, 5, 6, 7, 8, 10, 11, 20, 21}},
        {4, {3, 5, 6, 7, 8, 10, 11, 20, 21}},
        {5, {3, 4, 6, 7, 8, 10, 11, 20, 21}},
        {6, {3, 4, 5, 7, 8, 10, 11, 20, 21}},
        {7, {3, 4, 5, 6, 8, 10, 11, 20, 21}},
        {8, {3, 4, 5, 6, 7, 10, 11, 20, 21}},
        {10, {3, 4, 5, 6, 7, 8, 11, 20, 21}},
        {11, {3, 4, 5, 6, 7, 8, 10, 20, 21}},
        {21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 20}},
        {20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 21}},
        {9, {}},
        {12, {}},
        {14, {}},
        {15, {}},
        {16, {}},
        {17, {}},
        {18, {19}},
    };
    for (const Regla& r : reglas) {
        SCOPED_TRACE("regla " + std::to_string(r.i));
        for (int& f : flags) f = 0;
        for (int k : usadas) flags[k] = 1;
        flags[19] = 3;
        std::vector<int> antes = flags;
        modificadorFlagsGraf(r.i);
        for (int k = 0; k < 200; k++) {
            int esperado = k == r.i ? antes[k] + 1 : r.limpia.count(k) ? 0 : antes[k];
            EXPECT_EQ(flags[k], esperado) << "entrada " << k;
        }
    }

    // Índices sin regla no cambian nada
    for (int i : {-1, 13, 22, 29, 31, 99, 100, 150, 199, 200, 1000}) {
        for (int k = 0; k < 200; k++) flags[k] = k % 3;
        std::vector<int> antes = flags;
        modificadorFlagsGraf(i);
        EXPECT_EQ(flags, antes) << "índice " << i;
    }
}

TEST_F(Flags, ConsecuenciasDeLasReglas)
{
    funcionFlagsInicio();
    // Un interruptor sigue contando: tres veces desde 0 da 3, encendido
    for (int k = 0; k < 3; k++) modificadorFlagsGraf(flagTagBarras);
    EXPECT_EQ(flags[flagTagBarras], 3);

    // plotDef, luego plotN: solo el axial; plotN otra vez: ningún resultado
    funcionFlagsInicio();
    modificadorFlagsGraf(flagDeformada);
    modificadorFlagsGraf(flagAxial);
    EXPECT_EQ(flags[flagAxial] % 2, 1);
    EXPECT_EQ(flags[flagDeformada], 0);
    modificadorFlagsGraf(flagAxial);
    for (int f : {3, 4, 5, 6, 7, 8, 10, 11, 21}) EXPECT_EQ(flags[f] % 2, 0) << f;

    // Con números de nudos: la torsión los apaga, la deformada no
    funcionFlagsInicio();
    modificadorFlagsGraf(flagTagNudos);
    modificadorFlagsGraf(flagDeformada);
    EXPECT_EQ(flags[flagTagNudos], 1);
    modificadorFlagsGraf(flagTorsion);
    EXPECT_EQ(flags[flagTagNudos], 0);
    EXPECT_EQ(flags[flagTorsion], 1);
    EXPECT_EQ(flags[flagDeformada], 0);

    // Volumen y etiquetas se excluyen en los dos sentidos
    modificadorFlagsGraf(flagVolumen);
    EXPECT_EQ(flags[flagVolumen], 1);
    EXPECT_EQ(flags[flagTorsion], 0);
    modificadorFlagsGraf(flagTagNudos);
    EXPECT_EQ(flags[flagVolumen], 0);
    EXPECT_EQ(flags[flagTagNudos], 1);

    // F12 cinco veces: páginas 1, 2, 3, 4 y ninguna
    funcionFlagsInicio();
    for (int pagina : {1, 2, 3, 4, 0}) {
        modificadorFlagsGraf(flagAyudaEtiquetas);
        EXPECT_EQ(flags[flagAyudaEtiquetas], pagina);
    }
    // F1 con la página 3 la cambia por la ayuda; F12 entonces muestra la página 1
    for (int k = 0; k < 3; k++) modificadorFlagsGraf(flagAyudaEtiquetas);
    modificadorFlagsGraf(flagAyuda);
    EXPECT_EQ(flags[flagAyuda], 1);
    EXPECT_EQ(flags[flagAyudaEtiquetas], 0);
    modificadorFlagsGraf(flagAyudaEtiquetas);
    EXPECT_EQ(flags[flagAyuda], 0);
    EXPECT_EQ(flags[flagAyudaEtiquetas], 1);

    // Los combos no tienen regla: se suman directamente y son independientes
    flags[flagCombos] = 1;
    flags[flagCombos + 1] = 1;
    modificadorFlagsGraf(flagAxial);
    modificadorFlagsGraf(flagVolumen);
    EXPECT_EQ(flags[flagCombos], 1);
    EXPECT_EQ(flags[flagCombos + 1], 1);
}

TEST_F(Flags, CalcularCorreElAnalisis)
{
    // Voladizo de 3 m con carga vertical en la punta; sin giros en el apoyo es un
    // mecanismo. Con una fijación de 1e-10 en su raíz se resuelve con pocas cifras
    const std::string modelo =
        "nudos:\n1 0 0 0\n2 3 0 0\n\nbarras:\n1 1 2\n\napoyo:\n%s\n1\n\n"
        "seccionGenerica:\nIPE\n0.01 8e-5 1e-4 2e-6 2e8 0.3 78.5\n1\n\n"
        "articulacion:\n%s 1 1 1\n1\n\n"
        "puntual:\nP\n0 0 -10 0 0 0\n2\n\ncombo:\nC1 1 P\n";
    enum resultado { estable, aviso, inestable };
    struct Caso {
        const char* nombre;
        const char* apoyo;
        const char* fijacion;
        resultado esperado;
    };
    const Caso casos[] = {{"empotrado", "1 1 1 1 1 1", "1", estable},
                          {"fijación 1e-10", "1 1 1 1 1 1", "1e-10", aviso},
                          {"solo traslaciones", "1 1 1 0 0 0", "1", inestable}};
    const std::string nombreAntes = nombreArchivo;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        reiniciarModelo();
        std::string texto = modelo;
        texto.replace(texto.find("%s"), 2, c.apoyo);
        texto.replace(texto.find("%s"), 2, c.fijacion);
        nombreArchivo = archivoTemporal(texto);
        capturarSalida([] { funcionLeerArchivo(); });
        funcionFlagsInicio();
        dialogo = "Comando:";
        for (int vez = 0; vez < 2; vez++) {
            std::string salida = capturarSalida([] { modificadorFlagsGraf(flagCalculado); });
            if (c.esperado == estable) {
                EXPECT_EQ(flags[flagCalculado], 1);
                EXPECT_EQ(dialogo, "Comando:");
                EXPECT_EQ(salida, "");
                // Reacción vertical del apoyo igual a la carga
                ASSERT_EQ(reacciones.cols(), 1);
                EXPECT_NEAR(reacciones(2, 0), 10, 1e-9);
            } else if (c.esperado == aviso) {
                // Resultados, y el aviso donde se ve el rechazo: la línea de
                // respuesta y la salida estándar
                EXPECT_EQ(flags[flagCalculado], 1);
                EXPECT_EQ(dialogo.rfind("Advertencia: resultados con solo unas ", 0), 0u) << dialogo;
                EXPECT_EQ(dialogo, mensajeAnalisis);
                EXPECT_EQ(salida, mensajeAnalisis + "\n");
                ASSERT_EQ(reacciones.cols(), 1);
                EXPECT_NEAR(reacciones(2, 0), 10, 1e-3);
            } else {
                EXPECT_EQ(flags[flagCalculado], 0);
                EXPECT_EQ(dialogo.rfind("Estructura inestable: ", 0), 0u) << dialogo;
                EXPECT_EQ(dialogo, mensajeAnalisis);
                EXPECT_EQ(salida, mensajeAnalisis + "\n");
                EXPECT_EQ(u.size(), 0);
            }
        }
        std::remove(nombreArchivo.c_str());
    }
    nombreArchivo = nombreAntes;
}
