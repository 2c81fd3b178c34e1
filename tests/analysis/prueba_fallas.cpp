// Análisis que no puede dar resultados: estructuras inestables, memoria que no
// alcanza y modelos que rompen lo que el cargador garantiza. En todos: una
// línea en la salida, la misma en mensajeAnalisis, false y ningún resultado
// entregado a nudos y barras.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "ayuda_estructura.h"

namespace {

using ayuda::empotrado;
using ayuda::libre;
using ayuda::material;
using ayuda::modelo;
using ayuda::seccion;

using ayuda::acero;
using ayuda::perfil;

struct casoFalla {
    const char* nombre;
    std::function<void(modelo&)> armar;
    const char* linea;  // la línea completa, sin el salto
    bool soloComienzo = false;  // la dirección depende del redondeo
};

// Viga AB empotrada con una segunda barra BC rotulada en B, C libre: BC gira
// alrededor de la rótula sin nada que la detenga.
void vigaConRotulaSuelta(modelo& m)
{
    int a = m.nudoEn(1, 0, 0, 0, empotrado);
    int b = m.nudoEn(2, 3, 0, 0);
    int c = m.nudoEn(3, 6, 0, 0);
    m.barraEntre(1, a, b, perfil, acero);
    int bc = m.barraEntre(2, b, c, perfil, acero);
    barra[bc].setArticulacion(0, 1, 0, 1);
    m.puntual(c, "P", 0, 0, -10);
    m.combos({{"C1", {{1, "P"}}}});
}

// Pórtico de columnas rotuladas sobre sus bases empotradas y viga rotulada en
// sus dos extremos: se desploma de costado.
// Girado un ángulo en planta, el redondeo deja pivotes que no son cero exacto.
void porticoQueSeDesploma(modelo& m, double giro)
{
    double c = std::cos(giro), s = std::sin(giro);
    int a0 = m.nudoEn(1, 0, 0, 0, empotrado);
    int a1 = m.nudoEn(2, 6 * c, 6 * s, 0, empotrado);
    int t0 = m.nudoEn(3, 0, 0, 3);
    int t1 = m.nudoEn(4, 6 * c, 6 * s, 3);
    int c0 = m.barraEntre(1, a0, t0, perfil, acero);
    int c1 = m.barraEntre(2, a1, t1, perfil, acero);
    int v = m.barraEntre(3, t0, t1, perfil, acero);
    barra[c0].setArticulacion(0, 1, 0, 1);
    barra[c1].setArticulacion(0, 1, 0, 1);
    barra[v].setArticulacion(0, 0, 0, 0);
    m.puntual(t0, "H", 5, 0, 0);
    m.combos({{"C1", {{1, "H"}}}});
}

const casoFalla casosInestables[] = {
    {"nudo al que no llega ninguna barra",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.nudoEn(30, 9, 9, 0);
         m.barraEntre(1, a, b, perfil, acero);
         m.puntual(b, "P", 0, 0, -10);
         m.combos({{"C1", {{1, "P"}}}});
     },
     "Estructura inestable: sin rigidez en el nudo 30, dirección ux"},
    {"giro libre que nada rigidiza (torsión nula)",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.barraEntre(1, a, b, {0.01, 8e-5, 1.2e-4, 0}, acero);
         m.puntual(b, "P", 0, 0, -10);
         m.combos({{"C1", {{1, "P"}}}});
     },
     "Estructura inestable: sin rigidez en el nudo 2, dirección rx"},
    {"nudo suelto por una barra sin sección",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         int c = m.nudoEn(3, 3, 4, 0);
         m.barraEntre(1, a, b, perfil, acero);
         m.barraEntre(2, b, c, perfil, acero, 0, false);
         m.puntual(b, "P", 0, 0, -10);
         m.combos({{"C1", {{1, "P"}}}});
     },
     "Estructura inestable: sin rigidez en el nudo 3, dirección ux"},
    {"barra rotulada que gira alrededor de su rótula", vigaConRotulaSuelta,
     "Estructura inestable: mecanismo en el nudo 3, dirección ry"},
    {"pórtico que se desploma", [](modelo& m) { porticoQueSeDesploma(m, 0); },
     "Estructura inestable: mecanismo en el nudo 4, dirección rx"},
    {"pórtico girado 37 grados que se desploma",
     [](modelo& m) { porticoQueSeDesploma(m, 37 * M_PI / 180); },
     "Estructura inestable: mecanismo en el nudo 4, dirección ", true},
};

const casoFalla casosInvalidos[] = {
    {"barra sin nudo final",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.barraEntre(1, a, b, perfil, acero);
         barra.emplace_back();
         objBarra3d& suelta = barra.back();
         suelta.resetFlags();
         suelta.setNoBarraUsuario(8);
         suelta.setNoBarraInterna(1);
         suelta.setNudoInicio(b, 3, 0, 0);
         noBarras = 2;
         m.combos({{"C1", {{1, "P"}}}});
     },
     "Análisis cancelado: la barra 8 no tiene sus dos nudos"},
    {"menos columnas de combos que noCombos",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.barraEntre(1, a, b, perfil, acero);
         m.puntual(b, "P", 0, 0, -10);
         m.combos({{"C1", {{1, "P"}}}, {"C2", {{2, "P"}}}});
         noCombos = 3;
     },
     "Análisis cancelado: el nudo 1 tiene 2 combos de carga y el modelo tiene 3"},
    {"barra con menos combos que los nudos",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.barraEntre(1, a, b, perfil, acero);
         m.puntual(b, "P", 0, 0, -10);
         m.combos({{"C1", {{1, "P"}}}});
         nudo[0].setCombo("C2", 1, "P");
         nudo[1].setCombo("C2", 1, "P");
         noCombos = 2;
     },
     "Análisis cancelado: la barra 1 tiene 1 combos de carga y el modelo tiene 2"},
    {"noNudos distinto de los nudos que hay",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.barraEntre(1, a, b, perfil, acero);
         noNudos = 5;
     },
     "Análisis cancelado: la cantidad de nudos o de barras no coincide con el modelo"},
    {"nudo con numeración interna de otro",
     [](modelo& m) {
         int a = m.nudoEn(1, 0, 0, 0, empotrado);
         int b = m.nudoEn(2, 3, 0, 0);
         m.barraEntre(1, a, b, perfil, acero);
         nudo[1].setNoNudoInterno(0);
     },
     "Análisis cancelado: el nudo 2 no tiene numeración interna válida"},
};

// Corre el análisis y comprueba la línea, el resultado y que nada se entregó
void comprobarRechazo(const casoFalla& caso)
{
    SCOPED_TRACE(caso.nombre);
    modelo m;
    caso.armar(m);
    bool bien = true;
    std::string salida = capturarSalida([&] { bien = funcionSolve(); });
    EXPECT_FALSE(bien);
    if (caso.soloComienzo) {
        EXPECT_EQ(mensajeAnalisis.rfind(caso.linea, 0), 0u) << mensajeAnalisis;
        EXPECT_EQ(mensajeAnalisis.size(), std::string(caso.linea).size() + 2) << mensajeAnalisis;
    } else {
        EXPECT_EQ(mensajeAnalisis, caso.linea);
    }
    // La línea es la última de la salida (antes pueden ir las de las barras)
    std::string final = mensajeAnalisis + "\n";
    ASSERT_GE(salida.size(), final.size()) << salida;
    EXPECT_EQ(salida.substr(salida.size() - final.size()), final);
    EXPECT_EQ(u.size(), 0);
    EXPECT_EQ(reacciones.size(), 0);
    for (objNudo3d& n : nudo) {
        EXPECT_EQ(n.getCantidadDeResultados(), 0) << "nudo " << n.getNoNudoUsuario();
    }
    for (objBarra3d& b : barra) {
        EXPECT_FALSE(b.getBoolResultados(0)) << "barra " << b.getNoBarraUsuario();
    }
}

}  // namespace

TEST(AnalisisFallido, EstructurasInestablesNombranNudoYDireccion)
{
    for (const casoFalla& caso : casosInestables) {
        comprobarRechazo(caso);
    }
}

TEST(AnalisisFallido, ModelosQueRompenLoQueGarantizaElCargador)
{
    for (const casoFalla& caso : casosInvalidos) {
        comprobarRechazo(caso);
    }
}

TEST(AnalisisFallido, MemoriaQueNoAlcanzaDiceElTamano)
{
    // 20 000 nudos libres: la rigidez densa sola pediría 115 GB
    modelo m;
    for (int k = 0; k < 20000; k++) {
        m.nudoEn(k + 1, k, 0, 0);
    }
    bool bien = true;
    std::string salida = capturarSalida([&] { bien = funcionSolve(); });
    EXPECT_FALSE(bien);
    EXPECT_EQ(mensajeAnalisis.rfind("Memoria insuficiente: el análisis necesita 230.4 GB y hay ", 0),
              0u)
        << mensajeAnalisis;
    EXPECT_EQ(salida, mensajeAnalisis + "\n");
    EXPECT_EQ(u.size(), 0);
}

TEST(AnalisisFallido, UnExitoDespuesDeUnaFallaDejaElMensajeVacio)
{
    modelo m;
    vigaConRotulaSuelta(m);
    ASSERT_FALSE(funcionSolve());
    ASSERT_FALSE(mensajeAnalisis.empty());
    // Tras recargar otro modelo que sí se resuelve
    modelo otro;
    int a = otro.nudoEn(1, 0, 0, 0, empotrado);
    int b = otro.nudoEn(2, 3, 0, 0);
    otro.barraEntre(1, a, b, perfil, acero);
    otro.puntual(b, "P", 0, 0, -10);
    otro.combos({{"C1", {{1, "P"}}}});
    EXPECT_TRUE(funcionSolve());
    EXPECT_EQ(mensajeAnalisis, "");
    EXPECT_EQ(nudo[1].getCantidadDeResultados(), 1);
}
