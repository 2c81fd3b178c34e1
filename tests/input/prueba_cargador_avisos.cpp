// Archivos rotos: cada uno da su línea de aviso exacta y el mismo modelo que
// el archivo escrito con solo lo que el cargador tomó; nada va a otro objeto.
#include <cstdio>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "input/claseLeerArchivo.h"
#include "input/funcionLeerArchivo.h"

namespace
{

// Todo lo que el modelo cargado tiene, como texto comparable
std::string resumenModelo()
{
    std::ostringstream os;
    os.precision(17);
    auto num = [&](double v) { os << " " << v + 0.0; };  // -0 como 0
    os << noNudos << " nudos, " << noBarras << " barras, " << noCombos << " combos\n";
    for (objNudo3d& n : nudo) {
        os << "nudo " << n.getNoNudoUsuario();
        num(n.getX());
        num(n.getY());
        num(n.getZ());
        os << " apoyo " << n.getVectorApoyo().transpose();
        for (int c = 0; c < n.getCantidadDeCombos(); c++) {
            os << " | " << n.getNombreCombo(c);
            for (double v : {n.getPxCombo(c), n.getPyCombo(c), n.getPzCombo(c), n.getMxCombo(c),
                             n.getMyCombo(c), n.getMzCombo(c)}) {
                num(v);
            }
        }
        os << "\n";
    }
    for (objBarra3d& b : barra) {
        os << "barra " << b.getNoBarraUsuario() << " " << b.getNudoInicioInterno() << "-"
           << b.getNudoFinalInterno();
        if (b.getBoolSeccion()) {
            os << " " << b.getNombreDeSeccion() << " tipo " << b.getCodigoSeccion();
            for (double v : {b.getArea(), b.getIy(), b.getIz(), b.getModJ(), b.getModE(),
                             b.getModG()}) {
                num(v);
            }
        } else {
            os << " sin sección";
        }
        os << " giro";
        num(b.getAlfaDeg());
        os << " art";
        for (double v : {b.getArtIniY(), b.getArtFinY(), b.getArtIniZ(), b.getArtFinZ()}) {
            num(v);
        }
        std::vector<std::string> combos = b.getEtiquetasCombo();
        for (size_t c = 0; c < combos.size(); c++) {
            int k = static_cast<int>(c);
            os << " | " << combos[c];
            for (double v : {b.getFxIniCombo(k), b.getFxFinCombo(k), b.getFyIniCombo(k),
                             b.getFyFinCombo(k), b.getFzIniCombo(k), b.getFzFinCombo(k),
                             b.getTCombo(k)}) {
                num(v);
            }
        }
        os << "\n";
    }
    os << "precision " << precision;
    for (double v : {escalaTexto, escalaDef, escalaMy, escalaMz, escalaVy, escalaVz, escalaN,
                     escalaT, escalaApoyo, escalaCarga}) {
        num(v);
    }
    return os.str();
}

struct casoRoto {
    const char* nombre;
    std::string roto;
    std::string equivalente;         // lo que el cargador tomó, escrito bien
    std::vector<std::string> lineas; // todas las advertencias del roto, en orden
    std::function<void()> verificar = [] {};
};

void probar(const std::vector<casoRoto>& casos)
{
    for (const casoRoto& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::string salida = cargar(c.equivalente);
        EXPECT_EQ(avisosDe(salida), std::vector<std::string>{}) << salida;
        std::string esperado = resumenModelo();
        salida = cargar(c.roto);
        EXPECT_EQ(avisosDe(salida), c.lineas) << salida;
        EXPECT_EQ(resumenModelo(), esperado);
        c.verificar();
    }
}

// Nudos 10, 20 y 30 (con huecos en la numeración), barras 10 y 30; la
// rectangular va a las barras de la lista dada (sin lista, no hay rectangular)
std::string modelo(const std::string& rectangular = "10 30", const std::string& extra = "")
{
    return "nudos: 10 0 0 0 20 4 0 0 30 4 0 3\n"
           "barras: 10 10 20 30 20 30\n"
           "apoyo: 1 1 1 1 1 1 10\n" +
           (rectangular.empty() ? "" : "seccionRectangular: R 0.2 0.4 2.5e7 0.2 24 " + rectangular + "\n") +
           "puntual: D 0 0 -10 0 0 0 30\n"
           "combo: ELU 1.2 D\n" +
           extra;
}

objBarra3d& barraUsuario(int u) { return barra[static_cast<size_t>(punteroBarras(u))]; }

}  // namespace

// Un número de la lista que ninguna fila lleva no va a la primera fila
TEST(CargadorAvisos, NumerosSinFila)
{
    probar({
        {"articulación de la barra 25 entre las barras 10 y 30",
         modelo("10 30", "articulacion: 0 1 0 1 25\n"), modelo(),
         {"Advertencia: la barra 25 de articulacion: no está en el modelo; se omite"},
         [] { EXPECT_EQ(barraUsuario(10).getArtFinY(), 1); }},
        {"giro de la barra 25", modelo("10 30", "rotacionBarra: 30 25\n"), modelo(),
         {"Advertencia: la barra 25 de rotacionBarra: no está en el modelo; se omite"}},
        {"sección de la barra 15 entre las barras 10 y 30",
         modelo("10 30", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 15\n"), modelo(),
         {"Advertencia: la barra 15 de seccionGenerica: no está en el modelo; se omite"},
         [] { EXPECT_EQ(barraUsuario(10).getNombreDeSeccion(), "R"); }},
        {"-0.5 en una lista de nudos", modelo("10 30", "puntual: D 5 0 0 0 0 0 -0.5 20\n"),
         modelo("10 30", "puntual: D 5 0 0 0 0 0 20\n"),
         {"Advertencia: el nudo -0.5 de puntual: no está en el modelo; se omite"},
         [] { EXPECT_EQ(nudo[0].getPxCombo(0), 0); }},
    });
}

// Una corrida que termina en un token que no es etiqueta lo nombra, y un
// bloque que queda con K números o menos dice que no se aplica
TEST(CargadorAvisos, CorridasCortadas)
{
    probar({
        {"coma decimal en una carga", modelo("10 30", "puntual: D 20,5 0 0 0 0 0 30\n"), modelo(),
         {"Advertencia: el bloque 2 de puntual: (D) termina en 20,5, que no es un número ni una "
          "etiqueta del formato, sin valores ni lista; no se aplica"}},
        {"exponente en mayúscula en una sección",
         modelo("10 30", "seccionW: W 0.2 0.012 0.3 0.008 2E8 0.3 78.5 30\n"), modelo(),
         {"Advertencia: el bloque 1 de seccionW: (W) termina en 2E8, que no es un número ni una "
          "etiqueta del formato, con 4 de sus 7 valores y ninguna barra; no se aplica"},
         [] { EXPECT_EQ(barraUsuario(30).getNombreDeSeccion(), "R"); }},
        {"lista cortada por una palabra", modelo("10 30", "apoyo: 1 1 1 0 0 0 20 y 30\n"),
         modelo("10 30", "apoyo: 1 1 1 0 0 0 20\n"),
         {"Advertencia: el bloque 2 de apoyo: termina en y, que no es un número ni una etiqueta "
          "del formato; lo que sigue no se lee"}},
        {"bloque cortado por el fin del archivo", modelo("10 30", "apoyo: 1 1 1"), modelo(),
         {"Advertencia: el bloque 2 de apoyo: tiene 3 de sus 6 valores y ningún nudo; no se "
          "aplica"}},
        {"giro sin barras antes de otra etiqueta", modelo("10 30", "rotacionBarra: 90\nprecision: 2\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: el bloque 1 de rotacionBarra: tiene su valor y ninguna barra; no se "
          "aplica"}},
        {"carga sin números", modelo("10 30", "distribuidaLocalY: L q 1 1 10\n"), modelo(),
         {"Advertencia: el bloque 1 de distribuidaLocalY: (L) termina en q, que no es un número "
          "ni una etiqueta del formato, sin valores ni lista; no se aplica"}},
        {"combo cortado por una coma decimal", modelo("10 30", "combo: SERV 1 D 1,6 L\n"),
         modelo("10 30", "combo: SERV 1 D\n"),
         {"Advertencia: el combo SERV de combo: termina en 1,6, que no es un número ni una "
          "etiqueta del formato; lo que sigue no se lee"}},
        {"tabla de nudos cortada al final de una fila",
         "nudos: 10 0 0 0 20 4 0 0 30 4 0 3 x 40 8 0 3\n" + modelo().substr(modelo().find("barras:")),
         modelo(),
         {"Advertencia: la tabla nudos: termina en x, que no es un número ni una etiqueta del "
          "formato; lo que sigue no se lee"}},
    });
}

// Un caso que ninguna carga aplicada define: una línea por (combo, caso)
TEST(CargadorAvisos, CasosSinCarga)
{
    std::string muchosNudos = "nudos:";
    for (int i = 1; i <= 200; i++) {
        muchosNudos += " " + std::to_string(i) + " " + std::to_string(i) + " 0 0";
    }
    muchosNudos += "\nbarras: 1 1 2 2 2 3\n";
    probar({
        {"caso repetido en un combo y en otro bloque del mismo combo",
         modelo("10 30", "combo: SERV 1 X 1 X\ncombo: SERV 2 X\n"),
         modelo("10 30", "combo: SERV 0 D\n"),
         {"Advertencia: el combo SERV aparece en más de un bloque combo:; sus pares se suman al "
          "primero",
          "Advertencia: el combo SERV usa el caso X, que ningún bloque de cargas define; aporta "
          "cero"}},
        {"un bloque que no aplica nada no define su caso",
         modelo("10 30", "puntual: W 1 0 0 0 0 0 99\ncombo: SERV 1 W\n"),
         modelo("10 30", "combo: SERV 0 D\n"),
         {"Advertencia: el nudo 99 de puntual: no está en el modelo; se omite",
          "Advertencia: el combo SERV usa el caso W, que ningún bloque de cargas define; aporta "
          "cero"}},
        {"una carga distribuida sin lista tampoco",
         modelo("10 30", "distribuidaLocalY: V 1 1\ncombo: SERV 1 V\n"),
         modelo("10 30", "combo: SERV 0 D\n"),
         {"Advertencia: el bloque 1 de distribuidaLocalY: (V) tiene sus 2 valores y ninguna "
          "barra; no se aplica",
          "Advertencia: el combo SERV usa el caso V, que ningún bloque de cargas define; aporta "
          "cero"}},
        {"200 nudos y 2 barras: una sola línea por caso", muchosNudos + "combo: C 1 D 1 L\n",
         muchosNudos + "puntual: D 0 0 0 0 0 0 1\ncombo: C 1 D\n",
         {"Advertencia: el combo C usa el caso D, que ningún bloque de cargas define; aporta "
          "cero",
          "Advertencia: el combo C usa el caso L, que ningún bloque de cargas define; aporta "
          "cero"}},
    });
}

// Marca de orden, tokens con dos puntos ajenos al formato
TEST(CargadorAvisos, EtiquetasYTexto)
{
    probar({
        {"marca de orden de bytes de UTF-8", "\xEF\xBB\xBF" + modelo(), modelo(), {}},
        {"Nudos: al comienzo", "Nudos: 1 0 0 0\n" + modelo(), modelo(),
         {"Advertencia: Nudos: no es una etiqueta del formato; lo que sigue hasta la próxima "
          "etiqueta no se lee"}},
        {"nudo: tras una lista", modelo("10 30", "apoyo: 1 1 1 0 0 0 20 nudo: 30\n"),
         modelo("10 30", "apoyo: 1 1 1 0 0 0 20\n"),
         {"Advertencia: el bloque 2 de apoyo: termina en nudo:, que no es un número ni una "
          "etiqueta del formato; lo que sigue no se lee"}},
        {"escala: tras un ajuste", modelo("10 30", "precision: 2 escala: 5\n"),
         modelo("10 30", "precision: 2\n"),
         {"Advertencia: escala: no es una etiqueta del formato; lo que sigue hasta la próxima "
          "etiqueta no se lee"}},
        {"nombres terminados en dos puntos no son etiquetas",
         modelo("10 30", "puntual: D: 0 0 -1 0 0 0 20\ncombo: SERV: 1 D:\n"),
         modelo("10 30", "puntual: Dd 0 0 -1 0 0 0 20\ncombo: SERV: 1 Dd\n"), {}},
    });
    // UTF-16: una línea y un modelo vacío
    const char utf16[] = "\xFF\xFEn\0u\0d\0o\0s\0:\0 \0" "1\0 \0" "0\0 \0" "0\0 \0" "0\0";
    std::string salida = cargar(std::string(utf16, sizeof utf16 - 1));
    std::vector<std::string> v = avisosDe(salida);
    ASSERT_EQ(v.size(), 1u) << salida;
    EXPECT_EQ(v[0], "Advertencia: el archivo " + nombreArchivo +
                        " no es un archivo de texto plano (tiene bytes nulos); se lee como un "
                        "archivo vacío");
    EXPECT_EQ(noNudos, 0);
}

// Valores que ninguna sección puede tener: la sección no se aplica y sus
// barras quedan sin sección (también si otro bloque anterior les daba una)
TEST(CargadorAvisos, SeccionesImposibles)
{
    auto sinSeccion = [](int u) {
        return [u] { EXPECT_FALSE(barraUsuario(u).getBoolSeccion()) << "barra " << u; };
    };
    probar({
        {"base negativa", modelo("10", "seccionRectangular: M -0.2 0.4 2.5e7 0.2 24 30\n"),
         modelo("10"),
         {"Advertencia: la sección M del bloque 2 de seccionRectangular: tiene base = -0.2, que "
          "debe ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"placa de espesor 0", modelo("10", "seccionPlaca: P 0.3 0 2e8 0.3 78.5 30\n"),
         modelo("10"),
         {"Advertencia: la sección P del bloque 1 de seccionPlaca: tiene altura = 0, que debe "
          "ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"módulo de elasticidad 0",
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 0 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección G del bloque 1 de seccionGenerica: tiene modElas = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"poisson 0.6", modelo("10", "seccionRectangular: M 0.2 0.4 2.5e7 0.6 24 30\n"),
         modelo("10"),
         {"Advertencia: la sección M del bloque 2 de seccionRectangular: tiene poisson = 0.6, "
          "que debe ser mayor que -1 y no mayor que 0.5; no se aplica a las barras 30"}},
        {"poisson -1", modelo("10", "seccionRectangular: M 0.2 0.4 2.5e7 -1 24 30\n"),
         modelo("10"),
         {"Advertencia: la sección M del bloque 2 de seccionRectangular: tiene poisson = -1, "
          "que debe ser mayor que -1 y no mayor que 0.5; no se aplica a las barras 30"}},
        {"peso específico negativo",
         modelo("10", "seccionRectangular: M 0.2 0.4 2.5e7 0.2 -24 30\n"), modelo("10"),
         {"Advertencia: la sección M del bloque 2 de seccionRectangular: tiene pesoEspecifico = "
          "-24, que no puede ser negativo; no se aplica a las barras 30"}},
        {"alas de una W más gruesas que el alma",
         modelo("10", "seccionW: W 0.2 0.2 0.3 0.008 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección W del bloque 1 de seccionW: tiene 2 grosorAla = 0.4, que no "
          "cabe en alma = 0.3; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"alma de una W más ancha que el ala",
         modelo("10", "seccionW: W 0.2 0.012 0.3 0.3 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección W del bloque 1 de seccionW: tiene grosorAlma = 0.3, que no "
          "cabe en ala = 0.2; no se aplica a las barras 30"}},
        {"costanera con un radio que no cabe en el ala",
         modelo("10", "seccionCostanera: C 150 50 15 2 30 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección C del bloque 1 de seccionCostanera: tiene 2 radio + espesor "
          "= 62, que no cabe en ala = 50; no se aplica a las barras 30"}},
        {"costanera con un labio más corto que la esquina",
         modelo("10", "seccionCostanera: C 150 50 3 2 3 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección C del bloque 1 de seccionCostanera: tiene radio + espesor / "
          "2 = 4, que no cabe en labio = 3; no se aplica a las barras 30"}},
        {"genérica sin constante de torsión",
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 0 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección G del bloque 1 de seccionGenerica: tiene ModuloJ = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30"}},
        {"un bloque anterior válido no queda", 
         modelo("10 30", "seccionGenerica: G 0.01 1e-5 1e-5 0 2e8 0.3 78.5 30\n"), modelo("10"),
         {"Advertencia: la sección G del bloque 1 de seccionGenerica: tiene ModuloJ = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30"},
         sinSeccion(30)},
        {"dos barras", modelo("", "seccionPlaca: P 0.3 -0.02 2e8 0.3 78.5 10 30\n"), modelo(""),
         {"Advertencia: la sección P del bloque 1 de seccionPlaca: tiene altura = -0.02, que "
          "debe ser mayor que 0; no se aplica a las barras 10 30"},
         [] {
             EXPECT_FALSE(barraUsuario(10).getBoolSeccion());
             EXPECT_FALSE(barraUsuario(30).getBoolSeccion());
         }},
        {"un bloque posterior válido decide",
         modelo("10", "seccionRectangular: M 0 0.4 2.5e7 0.2 24 30\n"
                      "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 30\n"),
         modelo("10", "seccionGenerica: G 0.01 1e-5 1e-5 1e-5 2e8 0.3 78.5 30\n"),
         {"Advertencia: la sección M del bloque 2 de seccionRectangular: tiene base = 0, que "
          "debe ser mayor que 0; no se aplica a las barras 30"},
         [] { EXPECT_EQ(barraUsuario(30).getNombreDeSeccion(), "G"); }},
    });
}

// Combos mal escritos: una sola línea, en palabras
TEST(CargadorAvisos, CombosMalEscritos)
{
    probar({
        {"factor que no es un número", modelo("10 30", "combo: F 1 D e L\n"), modelo(),
         {"Advertencia: el combo F de combo: tiene el factor e, que no es un número; no se usa"}},
        {"único factor sin caso al final", modelo("10 30", "combo: A 1.2"), modelo(),
         {"Advertencia: el combo A de combo: termina en el factor 1.2 sin caso al final del "
          "archivo; no se usa"}},
        {"combo: al final, sin nombre", modelo("10 30", "combo:"), modelo(),
         {"Advertencia: el bloque 2 de combo: está al final del archivo, sin nombre ni pares "
          "(factor, caso); no se usa"}},
        {"último factor sin caso", modelo("10 30", "combo: A 1.2 D 1.6"),
         modelo("10 30", "combo: A 1.2 D"),
         {"Advertencia: el factor 1.6 al final de la etiqueta combo: no tiene caso; se omite"}},
    });
}

// El ejemplo que abre el primer comando: carga limpia, con todos los ajustes
TEST(CargadorAvisos, EjemploDeIngresoSinAdvertencias)
{
    reiniciarModelo();
    nombreArchivo = std::string(DIR_EJEMPLOS) + "/ingresoDatos.txt";
    std::string salida = capturarSalida([] { funcionLeerArchivo(); });
    EXPECT_EQ(salida.find("Advertencia"), std::string::npos) << salida;
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);
    for (const ajusteFormato& a : ajustesFormato) {
        EXPECT_EQ(lector.getNoEtiquetas(a.etiqueta), 1) << a.etiqueta;
    }
    EXPECT_EQ(noNudos, 8);
}

// La barra de una sección rechazada queda sin sección: Calcular la nombra en
// lugar de resolver con rigidez nula o de dar un error que no dice qué falta
TEST(CargadorAvisos, CalcularNombraLaBarraDeUnaSeccionRechazada)
{
    cargar(modelo("10", "seccionRectangular: M 0.2 0.4 -2.5e7 0.2 24 30\n"));
    ASSERT_EQ(noBarras, 2);
    bool resuelto = true;
    std::string salida = capturarSalida([&] { resuelto = funcionSolve(); });
    EXPECT_FALSE(resuelto);
    EXPECT_EQ(mensajeAnalisis, "No están definidas E, poisson, o Sección del Elemento: 30");
    EXPECT_EQ(salida, mensajeAnalisis + "\n");
}
