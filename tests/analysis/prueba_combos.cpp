// Pórtico espacial con cargas de todo tipo: equilibrio de cada combo,
// superposición (cada columna igual al combo solo) y repetición; casos borde
// de combos y apoyos.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "ayuda_estructura.h"

namespace {

using ayuda::combo;
using ayuda::empotrado;
using ayuda::material;
using ayuda::modelo;
using ayuda::seccion;
using ayuda::Vector6d;
using Eigen::Vector3d;

using ayuda::acero;
const seccion columna{0.012, 9e-5, 1.4e-4, 3e-6};
const seccion viga{0.009, 5e-5, 1.8e-4, 2e-6};
const seccion cabio{0.006, 3e-5, 6e-5, 1e-6};

const std::vector<combo> tresCombos = {
    {"C1", {{1.2, "A"}, {1.6, "B"}}},
    {"C2", {{1, "B"}}},
    {"C3", {{1, "A"}, {0.5, "B"}, {1, "C"}}},
};

// Cuatro columnas de 3 m, cuatro vigas de borde (dos en x, dos en y) y cuatro
// cabios inclinados hasta una cumbrera; una viga girada y una con fijación
// parcial. A: nudos y peso propio; B: repartidas globales, locales y torsión;
// C: momentos en la cumbrera.
void armarPortico(modelo& m, const std::vector<combo>& combos)
{
    int base[4], techo[4];
    const double x[4] = {0, 5, 0, 5}, y[4] = {0, 0, 4, 4};
    for (int i = 0; i < 4; i++) {
        base[i] = m.nudoEn(1 + i, x[i], y[i], 0, empotrado);
    }
    for (int i = 0; i < 4; i++) {
        techo[i] = m.nudoEn(11 + i, x[i], y[i], 3);
    }
    int cumbrera = m.nudoEn(20, 2.5, 2, 4.5);
    std::vector<int> barras;
    for (int i = 0; i < 4; i++) {
        barras.push_back(m.barraEntre(1 + i, base[i], techo[i], columna, acero));
    }
    int vx0 = m.barraEntre(11, techo[0], techo[1], viga, acero);       // a lo largo de x
    int vx1 = m.barraEntre(12, techo[2], techo[3], viga, acero, 30);   // girada 30 grados
    int vy0 = m.barraEntre(13, techo[0], techo[2], viga, acero);       // a lo largo de y
    int vy1 = m.barraEntre(14, techo[1], techo[3], viga, acero);
    barra[vy1].setArticulacion(0.6, 1, 1, 0.8);
    barras.insert(barras.end(), {vx0, vx1, vy0, vy1});
    std::vector<int> cabios;
    for (int i = 0; i < 4; i++) {
        cabios.push_back(m.barraEntre(21 + i, techo[i], cumbrera, cabio, acero));
    }
    barras.insert(barras.end(), cabios.begin(), cabios.end());

    for (int i = 0; i < 4; i++) {
        m.puntual(techo[i], "A", 3 + i, -2 * i, -10, 0.5 * i, 0, -1);
    }
    for (int k : barras) {
        m.pesoPropio(k, "A", 78.5, k < 4 ? columna.A : k < 8 ? viga.A : cabio.A);
    }
    m.repartidaGlobal(vx1, "B", -4, -6, Vector3d(0, 0, -1));
    m.repartidaGlobal(cabios[1], "B", 2, 1, Vector3d(1, 1, 0));
    // Barra en x sin giro: y local = Z global. Barra en y: z local = X global
    m.repartidaLocalY(vx0, "B", -5, -3, Vector3d(0, 0, 1));
    m.repartidaLocalZ(vy0, "B", 1.5, 2.5, Vector3d(1, 0, 0));
    m.repartidaLocalX(cabios[2], "B", 0.7, 0.2);
    m.torsorRepartido(vy1, "B", 0.9);
    m.puntual(cumbrera, "C", 0, 0, 0, 2, -3, 4);
    m.combos(combos);
}

}  // namespace

TEST(AnalisisCombos, PorticoEspacialEquilibradoYSuperpuesto)
{
    modelo m;
    armarPortico(m, tresCombos);
    ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
    MatrixXd uTodos = u, rTodos = reacciones;
    ASSERT_EQ(uTodos.cols(), 3);

    // Equilibrio global de fuerzas y de momentos respecto del origen
    for (int c = 0; c < 3; c++) {
        double escala = 0;
        Vector6d r = m.desequilibrio(c, escala);
        ASSERT_GT(escala, 0);
        EXPECT_LT(r.head<3>().norm(), 1e-9 * escala) << "combo " << c;
        EXPECT_LT(r.tail<3>().norm(), 1e-9 * escala * 5) << "combo " << c;  // brazo ~5 m
    }
    // En los grados libres la "reacción" es el residuo de la solución
    for (int k = 4; k < 9; k++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_LT(ayuda::reaccion(k, c).norm(), 1e-9 * rTodos.cwiseAbs().maxCoeff());
        }
    }

    // Dos corridas seguidas: idénticas
    ASSERT_TRUE(funcionSolve());
    EXPECT_TRUE(u == uTodos);
    EXPECT_TRUE(reacciones == rTodos);

    // Cada columna es la solución del combo solo
    for (int c = 0; c < 3; c++) {
        modelo solo;
        armarPortico(solo, {tresCombos[c]});
        ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
        EXPECT_LT(ayuda::difRelativa(uTodos.col(c), u), 1e-12) << "combo " << c;
        EXPECT_LT(ayuda::difRelativa(rTodos.col(c), reacciones), 1e-12) << "combo " << c;
    }
    // Y C1 = 1.2·A + 1.6·B por superposición de los casos
    modelo casos;
    armarPortico(casos, {{"A", {{1, "A"}}}, {"B", {{1, "B"}}}});
    ASSERT_TRUE(funcionSolve());
    EXPECT_LT(ayuda::difRelativa(1.2 * u.col(0) + 1.6 * u.col(1), uTodos.col(0)), 1e-10);
}

TEST(AnalisisCombos, SinCombosResultadosSinColumnas)
{
    modelo m;
    int a = m.nudoEn(1, 0, 0, 0, empotrado);
    int b = m.nudoEn(2, 3, 0, 0);
    m.barraEntre(1, a, b, viga, acero);
    bool bien = false;
    std::string salida = capturarSalida([&] { bien = funcionSolve(); });
    EXPECT_TRUE(bien) << mensajeAnalisis;
    EXPECT_EQ(salida, "");
    EXPECT_EQ(u.rows(), 12);
    EXPECT_EQ(u.cols(), 0);
    EXPECT_EQ(reacciones.rows(), 12);
    EXPECT_EQ(reacciones.cols(), 0);
    EXPECT_EQ(kEstructura.rows(), 12);
}

TEST(AnalisisCombos, TodoSujetoReaccionesOpuestasALasCargas)
{
    modelo m;
    int a = m.nudoEn(1, 0, 0, 0, empotrado);
    int b = m.nudoEn(2, 4, 0, 0, empotrado);
    int k = m.barraEntre(1, a, b, viga, acero);
    m.repartidaGlobal(k, "Q", 3, 3, Vector3d(0, 0, -1));
    m.puntual(b, "P", 1, 2, -7, 0, 0.5, 0);
    m.combos({{"C1", {{1, "Q"}, {1, "P"}}}});
    ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
    EXPECT_EQ(u.cwiseAbs().maxCoeff(), 0);
    EXPECT_TRUE(reacciones == -(pEstructura + fEstructura));
    // Viga biempotrada: q·L/2 y q·L²/12 en cada apoyo; la carga del nudo 2, opuesta
    Vector6d esperadoA, esperadoB;
    esperadoA << 0, 0, 6, 0, -4, 0;
    esperadoB << -1, -2, 6 + 7, 0, 4 - 0.5, 0;
    EXPECT_LT((ayuda::reaccion(a, 0) - esperadoA).norm(), 1e-12 * 13);
    EXPECT_LT((ayuda::reaccion(b, 0) - esperadoB).norm(), 1e-12 * 13);
}

TEST(AnalisisCombos, CodigoDosSeSujetaComoUnoYCargaEnApoyo)
{
    // Ménsula apuntalada: el puntal con código 2 da lo mismo que con 1, y una
    // carga sobre el empotramiento va directa a su reacción con signo opuesto
    MatrixXd uUno, rUno;
    for (int codigo : {1, 2}) {
        SCOPED_TRACE(codigo);
        modelo m;
        int a = m.nudoEn(1, 0, 0, 0, empotrado);
        int b = m.nudoEn(2, 5, 0, 0, {0, 0, codigo, 0, 0, 0});
        int k = m.barraEntre(1, a, b, viga, acero);
        m.repartidaGlobal(k, "Q", 6, 6, Vector3d(0, 0, -1));
        m.puntual(a, "Q", 0, 0, -5);
        m.combos({{"C1", {{1, "Q"}}}});
        ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
        EXPECT_EQ(restriccionesEstructura(8), codigo);
        EXPECT_EQ(u(8, 0), 0);
        EXPECT_NEAR(ayuda::reaccion(a, 0)(2), 5 * 6 * 5 / 8.0 + 5, 1e-9 * 30);
        EXPECT_NEAR(ayuda::reaccion(a, 0)(4), -6 * 25 / 8.0, 1e-9 * 30);
        EXPECT_NEAR(ayuda::reaccion(b, 0)(2), 3 * 6 * 5 / 8.0, 1e-9 * 30);
        if (codigo == 1) {
            uUno = u;
            rUno = reacciones;
        } else {
            EXPECT_TRUE(u == uUno);
            EXPECT_TRUE(reacciones == rUno);
        }
    }
}
