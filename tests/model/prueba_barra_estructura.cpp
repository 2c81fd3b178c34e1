// Barras dentro de estructuras resueltas: una placa alta partida en 1, 2 y 8
// barras da los mismos desplazamientos en los nudos comunes (solo si las
// cargas equivalentes y la rigidez son de la misma viga) y la deformada de la
// barra entera pasa por los nudos de la partida; los ejemplos no tienen
// puntos de corte nulo en el plano sin carga.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "input/funcionLeerArchivo.h"

namespace {

using Eigen::Vector3d;
using Vector6d = Eigen::Matrix<double, 6, 1>;

// Placa 0.3 x 0.8 de 2.4 m, inclinada y rodada 30°
const double L = 2.4, E = 3e7, nu = 0.2, bs = 0.3, hs = 0.8;
const Vector3d origen(1, 2, 0.5), eje(0.6, 0, 0.8);
// factores de los extremos de la barra entera: i y j en cada plano; en las
// partidas, los del mismo resorte
const double aY = 0.5, bY = 0.6, aZ = 0.4, bZ = 1;
// caso Q: trapecial en y local, uniforme en z local; PP: peso propio
const double qyI = -6, qyF = -2, qz = 4;

// Factor de una barra de largo L/n con el mismo resorte a/(1-a)·E·I/L
double factorPartida(double a, int n)
{
    if (a == 1) return 1;
    double r = a / ((1 - a) * n);
    return r / (1 + r);
}

// Empotrada en i, apoyo fijo con giros libres en j, partida en n barras
void armarPlaca(int n)
{
    reiniciarModelo();
    nudo.resize(static_cast<size_t>(n + 1));
    for (int k = 0; k <= n; k++) {
        Vector3d p = origen + eje * (L * k / n);
        objNudo3d& nd = nudo[static_cast<size_t>(k)];
        nd.setNoNudoUsuario(k + 1);
        nd.setNoNudoInterno(k);
        nd.setCoordenadas(p.x(), p.y(), p.z());
        int fijo = (k == 0 || k == n) ? 1 : 0, giro = k == 0 ? 1 : 0;
        nd.setApoyo(fijo, fijo, fijo, giro, giro, giro);
    }
    barra.resize(static_cast<size_t>(n));
    for (int k = 0; k < n; k++) {
        objBarra3d& b = barra[static_cast<size_t>(k)];
        b.resetFlags();
        b.setNoBarraUsuario(k + 1);
        b.setNoBarraInterna(k);
        Vector3d pi = origen + eje * (L * k / n), pj = origen + eje * (L * (k + 1) / n);
        b.setNudoInicio(k, pi.x(), pi.y(), pi.z());
        b.setNudoFinal(k + 1, pj.x(), pj.y(), pj.z());
        b.setSeccionPlaca(bs, hs);
        b.setModuloEyPoisson(E, nu);
        b.setNombreDeSeccion("PL");
        b.setPesoEspecifico(25);
        b.setRotacion(30);
        double s0 = static_cast<double>(k) / n, s1 = static_cast<double>(k + 1) / n;
        b.setDistribuidaLocalY("Q", qyI + (qyF - qyI) * s0, qyI + (qyF - qyI) * s1);
        b.setDistribuidaLocalZ("Q", qz, qz);
        b.setArticulacion(k == 0 ? factorPartida(aY, n) : 1, k == n - 1 ? factorPartida(bY, n) : 1,
                          k == 0 ? factorPartida(aZ, n) : 1, k == n - 1 ? factorPartida(bZ, n) : 1);
        b.setPesoPropio("PP");
    }
    noNudos = n + 1;
    noBarras = n;
    for (objNudo3d& nd : nudo) {
        nd.setCombo("C1", 1.2, "PP");
        nd.setCombo("C1", 1, "Q");
        nd.setCombo("C2", 1, "Q");
    }
    for (objBarra3d& b : barra) {
        b.setCombo("C1", 1.2, "PP");
        b.setCombo("C1", 1, "Q");
        b.setCombo("C2", 1, "Q");
    }
    noCombos = 2;
}

Vector6d desplazamiento(int k, int c)
{
    objNudo3d& n = nudo[static_cast<size_t>(k)];
    Vector6d d;
    d << n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getDesplazamientoZ(c), n.getGiroX(c),
        n.getGiroY(c), n.getGiroZ(c);
    return d;
}

TEST(BarraEnEstructura, PlacaPartidaDaLosMismosNudos)
{
    const int partes[3] = {1, 2, 8};
    std::vector<Vector6d> u[3][2];  // [partida][combo][nudo]
    MatrixXd deformada[2];
    Eigen::Matrix3d R = Eigen::Matrix3d::Identity();
    for (int p = 0; p < 3; p++) {
        armarPlaca(partes[p]);
        bool resuelto = false;
        std::string salida = capturarSalida([&] { resuelto = funcionSolve(); });
        ASSERT_TRUE(resuelto) << mensajeAnalisis;
        for (int c = 0; c < 2; c++) {
            for (int k = 0; k <= partes[p]; k++) u[p][c].push_back(desplazamiento(k, c));
            if (p == 0) deformada[c] = barra[0].getBarraDeformada(c, 9, 1);
        }
        if (p == 0) R = barra[0].getT().block<3, 3>(0, 0);
    }
    reiniciarModelo();

    for (int c = 0; c < 2; c++) {
        SCOPED_TRACE("combo " + std::to_string(c));
        double escT = 0, escG = 0;
        for (const Vector6d& d : u[2][c]) {
            escT = std::max(escT, d.head<3>().cwiseAbs().maxCoeff());
            escG = std::max(escG, d.tail<3>().cwiseAbs().maxCoeff());
        }
        ASSERT_GT(escT, 0);
        ASSERT_GT(escG, 0);
        auto igual = [&](const Vector6d& a, const Vector6d& b, const char* que) {
            for (int r = 0; r < 6; r++) {
                EXPECT_NEAR(a(r), b(r), 1e-9 * (r < 3 ? escT : escG)) << que << ", gdl " << r;
            }
        };
        // extremo j: giros libres en las tres
        igual(u[0][c][1], u[2][c][8], "j de 1 y de 8");
        igual(u[1][c][2], u[2][c][8], "j de 2 y de 8");
        // media luz
        igual(u[1][c][1], u[2][c][4], "centro de 2 y de 8");
        // la deformada de la barra entera en x = k·L/8 contra el nudo k de la de 8
        ASSERT_EQ(deformada[c].cols(), 9);
        for (int k = 0; k <= 8; k++) {
            Vector3d local = R * u[2][c][static_cast<size_t>(k)].head<3>();
            EXPECT_NEAR(deformada[c](1, k), local(1), 1e-9 * escT) << "estación " << k;
            EXPECT_NEAR(deformada[c](2, k), local(2), 1e-9 * escT) << "estación " << k;
        }
    }
}

// Barras horizontales sin rodar bajo cargas verticales y en y local: z local
// horizontal, sin carga. Columnas con cargas axiales y en z local: y local sin
// carga. Ni un resto de redondeo en el combo ni un corte nulo en ese plano.
TEST(BarraEnEstructura, EjemplosSinCorteNuloEnElPlanoSinCarga)
{
    for (const char* archivo : {"vigaContinua.txt", "ingresoDatos.txt", "porticoCompleto.txt"}) {
        SCOPED_TRACE(archivo);
        ASSERT_TRUE(cargarYResolver(archivo)) << mensajeAnalisis;
        int revisadas = 0;
        for (objBarra3d& b : barra) {
            SCOPED_TRACE("barra " + std::to_string(b.getNoBarraUsuario()));
            bool horizontal = b.getZi() == b.getZf() && b.getAlfaDeg() == 90;
            bool vertical = b.getXi() == b.getXf() && b.getYi() == b.getYf();
            if (!horizontal && !vertical) continue;
            revisadas++;
            for (int c = 0; c < noCombos; c++) {
                std::string salida = capturarSalida([&] {
                    if (horizontal) {
                        EXPECT_EQ(b.getFzIniCombo(c), 0.0);
                        EXPECT_EQ(b.getFzFinCombo(c), 0.0);
                        EXPECT_EQ(b.getFxIniCombo(c), 0.0);
                        EXPECT_EQ(b.getXVZcero(c), -1);
                    } else {
                        EXPECT_EQ(b.getFyIniCombo(c), 0.0);
                        EXPECT_EQ(b.getFyFinCombo(c), 0.0);
                        EXPECT_EQ(b.getXVYcero(c), -1);
                    }
                });
                EXPECT_EQ(salida, "");
            }
        }
        EXPECT_GT(revisadas, 0);
    }

    // Viga continua de dos tramos de 5 m con 12 por metro (x 1.4 en ULTIMO):
    // corte nulo a 3l/8 del apoyo extremo y momento 9·w·l²/128
    ASSERT_TRUE(cargarYResolver("vigaContinua.txt")) << mensajeAnalisis;
    const double l = 5;
    for (int c = 0; c < 2; c++) {
        double w = 12 * (c == 0 ? 1 : 1.4);
        EXPECT_NEAR(barra[0].getXVYcero(c), 3 * l / 8, 1e-9 * l);
        EXPECT_NEAR(barra[1].getXVYcero(c), 5 * l / 8, 1e-9 * l);
        EXPECT_NEAR(barra[0].getMymax(c), 9 * w * l * l / 128, 1e-9 * w * l * l);
        EXPECT_NEAR(barra[1].getMymax(c), 9 * w * l * l / 128, 1e-9 * w * l * l);
    }
    reiniciarModelo();
}

}  // namespace
