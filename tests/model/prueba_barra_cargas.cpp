// Barra: cargas por caso, peso propio, combos y cargas nodales equivalentes.
#include <cmath>

#include <gtest/gtest.h>

#include "ayuda_barra.h"
#include "comun/utilidades.h"

namespace {

using Fila7 = Eigen::Matrix<double, 1, 7>;

Fila7 fila(double a, double b, double c, double d, double e, double f, double g)
{
    Fila7 r;
    r << a, b, c, d, e, f, g;
    return r;
}

// Barra horizontal a lo largo de X con sección y material, para cargas
objBarra3d barraCargada(double L)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, L, 0, 0);
    b.setSeccionRectangular(0.3, 0.6);
    b.setModuloEyPoisson(2.5e7, 0.2);
    return b;
}

// Valores de libro de la viga empotrada, de la apoyada-empotrada y de la
// simplemente apoyada, como cargas sobre los nudos en el sentido de la carga.
// En el plano x-y los momentos son en z; en x-z, en y (signo opuesto).
TEST(BarraCargas, ValoresDeLibro)
{
    const double L = 6, q = 5;
    struct Caso {
        const char* nombre;
        double qI, qF;       // carga transversal en i y en j
        double a, b;         // factores del plano cargado
        double Fi, Mi, Fj, Mj;  // en el plano x-y (momentos en z)
    };
    const double qL = q * L, qL2 = q * L * L;
    const Caso casos[] = {
        {"uniforme empotrada", q, q, 1, 1, qL / 2, qL2 / 12, qL / 2, -qL2 / 12},
        {"triangular creciente", 0, q, 1, 1, 3 * qL / 20, qL2 / 30, 7 * qL / 20, -qL2 / 20},
        {"triangular decreciente", q, 0, 1, 1, 7 * qL / 20, qL2 / 20, 3 * qL / 20, -qL2 / 30},
        // trapecio 2q..5q = uniforme 2q + triangular 0..3q
        {"trapecial", 2 * q, 5 * q, 1, 1, qL + 9 * qL / 20, 2 * qL2 / 12 + 3 * qL2 / 30,
         qL + 21 * qL / 20, -2 * qL2 / 12 - 3 * qL2 / 20},
        {"uniforme rótula en j", q, q, 1, 0, 5 * qL / 8, qL2 / 8, 3 * qL / 8, 0},
        {"uniforme rótula en i", q, q, 0, 1, 3 * qL / 8, 0, 5 * qL / 8, -qL2 / 8},
        {"triangular rótula en j", 0, q, 1, 0, 9 * qL / 40, 7 * qL2 / 120, 11 * qL / 40, 0},
        {"uniforme apoyada", q, q, 0, 0, qL / 2, 0, qL / 2, 0},
        {"triangular apoyada", 0, q, 0, 0, qL / 6, 0, qL / 3, 0},
        {"trapecial apoyada", 2 * q, 5 * q, 0, 0, L * (4 * q + 5 * q) / 6, 0,
         L * (2 * q + 10 * q) / 6, 0},
    };
    for (const Caso& c : casos) {
        for (bool planoY : {true, false}) {
            SCOPED_TRACE(std::string(c.nombre) + (planoY ? " plano x-y" : " plano x-z"));
            objBarra3d b = barraCargada(L);
            if (planoY) {
                b.setDistribuidaLocalY("D", c.qI, c.qF);
                b.setArticulacion(c.a, c.b, 0.5, 0.5);  // el otro plano no cambia nada
            } else {
                b.setDistribuidaLocalZ("D", c.qI, c.qF);
                b.setArticulacion(0.5, 0.5, c.a, c.b);
            }
            b.setCombo("C", 1, "D");
            MatrixXd f = b.getCargasEquivalentesLocales();
            ASSERT_EQ(f.rows(), 12);
            ASSERT_EQ(f.cols(), 1);
            const int gy[4] = {1, 5, 7, 11}, gz[4] = {2, 4, 8, 10};
            const int* g = planoY ? gy : gz;
            double s = planoY ? 1 : -1;  // momento en y = -momento en z
            const double tol = 1e-12 * qL2;
            EXPECT_NEAR(f(g[0], 0), c.Fi, tol);
            EXPECT_NEAR(f(g[1], 0), s * c.Mi, tol);
            EXPECT_NEAR(f(g[2], 0), c.Fj, tol);
            EXPECT_NEAR(f(g[3], 0), s * c.Mj, tol);
            // el resto es cero
            for (int r = 0; r < 12; r++) {
                if (r != g[0] && r != g[1] && r != g[2] && r != g[3]) {
                    EXPECT_EQ(f(r, 0), 0.0) << r;
                }
            }
        }
    }

    // Axial y torsión
    objBarra3d b = barraCargada(L);
    b.setDistribuidaLocalX("D", 0, q);
    b.setDistribuidaLocalT("D", 3);
    b.setCombo("C", 1, "D");
    MatrixXd f = b.getCargasEquivalentesLocales();
    EXPECT_NEAR(f(0, 0), qL / 6, 1e-12);
    EXPECT_NEAR(f(6, 0), qL / 3, 1e-12);
    EXPECT_NEAR(f(3, 0), 3 * L / 2, 1e-12);
    EXPECT_NEAR(f(9, 0), 3 * L / 2, 1e-12);
}

// Empotramiento parcial: igual a una viga rígida con un resorte rotacional
// a/(1-a)·E·I/L en cada extremo, condensado; cargas consistentes por
// integración de las funciones de Hermite.
TEST(BarraCargas, EmpotramientoParcialComoResortes)
{
    const double L = 4.5, E = 2.5e7;
    const double bb = 0.3, h = 0.6, Iz = h * h * h * bb / 12, Iy = bb * bb * bb * h / 12;
    struct Caso {
        double aY, bY, aZ, bZ;
    };
    const Caso casos[] = {{0.3, 0.8, 0.8, 0.3}, {0.5, 0, 1, 0.25}, {0, 0, 0.9, 0.9},
                          {1, 0.6, 0.05, 1}};
    const double qyI = 2, qyF = -5, qzI = -3, qzF = 4;
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.aY << " " << c.bY << " " << c.aZ << " " << c.bZ);
        objBarra3d b = barraCargada(L);
        b.setArticulacion(c.aY, c.bY, c.aZ, c.bZ);
        b.setDistribuidaLocalY("D", qyI, qyF);
        b.setDistribuidaLocalZ("D", qzI, qzF);
        b.setCombo("C", 1, "D");
        MatrixXd f = b.getCargasEquivalentesLocales();
        MatrixXd K = b.getKLocal();

        ayuda::PlanoCondensado py = ayuda::condensarResortes(
            c.aY, c.bY, ayuda::vigaRigida(E, Iz, L, 0, 1, 1), ayuda::cargasHermite(L, qyI, qyF), E,
            Iz, L);
        ayuda::PlanoCondensado pz = ayuda::condensarResortes(
            c.aZ, c.bZ, ayuda::vigaRigida(E, Iy, L, 0, 1, 1), ayuda::cargasHermite(L, qzI, qzF), E,
            Iy, L);
        const int gy[4] = {1, 5, 7, 11}, gz[4] = {2, 4, 8, 10};
        const double sz[4] = {1, -1, 1, -1};
        for (int r = 0; r < 4; r++) {
            EXPECT_NEAR(f(gy[r], 0), py.f(r), 1e-12 * L * L * 5) << "fila " << gy[r];
            EXPECT_NEAR(f(gz[r], 0), sz[r] * pz.f(r), 1e-12 * L * L * 5) << "fila " << gz[r];
            for (int s = 0; s < 4; s++) {
                double escala = std::fabs(py.K(1, 1)) + std::fabs(pz.K(1, 1)) + 1;
                EXPECT_NEAR(K(gy[r], gy[s]), py.K(r, s), 1e-12 * escala);
                EXPECT_NEAR(K(gz[r], gz[s]), sz[r] * sz[s] * pz.K(r, s), 1e-12 * escala);
            }
        }
        // las cargas equivalentes equilibran la carga aplicada
        EXPECT_NEAR(f(1, 0) + f(7, 0), L * (qyI + qyF) / 2, 1e-12);
        EXPECT_NEAR(f(2, 0) + f(8, 0), L * (qzI + qzF) / 2, 1e-12);
    }
}

// Placa (corte con factor 1.2): las cargas equivalentes son las de la misma
// viga de Timoshenko con resortes en los extremos que arma la rigidez.
// Referencia: método de las fuerzas con corte sobre la ménsula y resortes
// condensados; en x-z los giros cambian de signo.
TEST(BarraCargas, PlacaComoVigaDeTimoshenko)
{
    const double L = 2, E = 3e7, nu = 0.2, bb = 0.3, h = 0.8;
    const double G = E / (2 * (1 + nu)), A = bb * h;
    const double Iz = h * h * h * bb / 12, Iy = bb * bb * bb * h / 12;
    const int gy[4] = {1, 5, 7, 11}, gz[4] = {2, 4, 8, 10};
    const double sz[4] = {1, -1, 1, -1};
    auto referencia = [&](bool planoY, double a, double b, double qI, double qF) {
        double I = planoY ? Iz : Iy;
        return ayuda::condensarResortes(a, b, ayuda::vigaRigida(E, I, L, 1.2, G, A),
                                        ayuda::cargasFuerzas(E, I, L, 1.2, G, A, qI, qF), E, I, L)
            .f;
    };
    auto placa = [&](double x, double z) {
        objBarra3d b = ayuda::barraEntre(0, 0, 0, x, 0, z);
        b.setSeccionPlaca(bb, h);
        b.setModuloEyPoisson(E, nu);
        return b;
    };
    struct Caso {
        const char* nombre;
        double a, b, qI, qF;
    };
    const Caso casos[] = {
        {"rígida uniforme", 1, 1, 10, 10},
        {"rígida triangular", 1, 1, 0, 10},
        {"rótula en j uniforme", 1, 0, 10, 10},
        {"rótula en j triangular", 1, 0, 0, 10},
        {"rótula en i triangular", 0, 1, 0, 10},
        {"parcial 0.5 uniforme", 0.5, 0.5, 10, 10},
        {"parcial 0.5 triangular", 0.5, 0.5, 10, 0},
        {"parcial 0.5 y rótula, trapecial", 0.5, 0, -4, 9},
        {"apoyada triangular", 0, 0, 0, 10},
    };
    for (const Caso& c : casos) {
        for (bool planoY : {true, false}) {
            SCOPED_TRACE(std::string(c.nombre) + (planoY ? " plano x-y" : " plano x-z"));
            objBarra3d b = placa(L, 0);
            if (planoY) {
                b.setDistribuidaLocalY("D", c.qI, c.qF);
                b.setArticulacion(c.a, c.b, 0.3, 0.7);
            } else {
                b.setDistribuidaLocalZ("D", c.qI, c.qF);
                b.setArticulacion(0.3, 0.7, c.a, c.b);
            }
            b.setCombo("C", 1, "D");
            MatrixXd f = b.getCargasEquivalentesLocales();
            Eigen::Vector4d ref = referencia(planoY, c.a, c.b, c.qI, c.qF);
            Eigen::Vector4d modelo;
            for (int r = 0; r < 4; r++) {
                modelo(r) = planoY ? f(gy[r], 0) : sz[r] * f(gz[r], 0);
            }
            EXPECT_LT(ayuda::difRelativa(modelo, ref), 1e-9) << modelo.transpose() << "\n"
                                                             << ref.transpose();
        }
    }

    // Los dos ejemplos de la placa de 2 m: de la viga de Euler-Bernoulli,
    // (3, 1.3333, 7, -2) y (12.5, 5, 7.5, 0), a los de Timoshenko
    struct Figura {
        double a, b, qI, qF;
        double Fi, Mi, Fj, Mj;
    };
    for (const Figura& g : {Figura{1, 1, 0, 10, 3.1051, 1.4385, 6.8949, -1.8949},
                            Figura{1, 0, 10, 10, 12.2418, 4.4835, 7.7582, 0}}) {
        objBarra3d b = placa(L, 0);
        b.setArticulacion(g.a, g.b, 1, 1);
        b.setDistribuidaLocalY("D", g.qI, g.qF);
        b.setCombo("C", 1, "D");
        MatrixXd f = b.getCargasEquivalentesLocales();
        EXPECT_NEAR(f(1, 0), g.Fi, 5e-5);
        EXPECT_NEAR(f(5, 0), g.Mi, 5e-5);
        EXPECT_NEAR(f(7, 0), g.Fj, 5e-5);
        EXPECT_NEAR(f(11, 0), g.Mj, 5e-5);
    }

    // Peso propio y carga global en una placa inclinada (3, 0, 4)/5 con los
    // dos planos cargados a la vez: ejes a mano, x = (0.6, 0, 0.8),
    // y = (-0.8, 0, 0.6), z = (0, -1, 0)
    objBarra3d b = placa(0.6 * L, 0.8 * L);
    b.setArticulacion(0.5, 1, 1, 0);
    b.setPesoEspecifico(25);
    b.setPesoPropio("PP");
    b.setDistribuidaGlobal("PP", 3, 7, 0, 2, 0);
    b.setCombo("C", 1, "PP");
    const double w = A * 25;
    MatrixXd f = b.getCargasEquivalentesLocales();
    Eigen::Vector4d ry = referencia(true, 0.5, 1, -0.6 * w, -0.6 * w);
    Eigen::Vector4d rz = referencia(false, 1, 0, -3, -7);
    for (int r = 0; r < 4; r++) {
        EXPECT_NEAR(f(gy[r], 0), ry(r), 1e-9 * ry.cwiseAbs().maxCoeff()) << "fila " << gy[r];
        EXPECT_NEAR(sz[r] * f(gz[r], 0), rz(r), 1e-9 * rz.cwiseAbs().maxCoeff())
            << "fila " << gz[r];
    }
    EXPECT_NEAR(f(0, 0), -0.8 * w * L / 2, 1e-12 * w * L);
    EXPECT_NEAR(f(6, 0), -0.8 * w * L / 2, 1e-12 * w * L);
}

TEST(BarraCargas, FilasDeCasosYCombos)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 4, 0, 0);
    b.setDistribuidaLocalY("D", 2, 4);
    b.setDistribuidaLocalX("D", 1, -1);
    b.setDistribuidaLocalZ("L", 3, 3);
    b.setDistribuidaLocalT("L", 0.7);
    b.setDistribuidaGlobal("D", 10, 20, 0, 0, -2);  // x horizontal: local y = +Z
    b.setCombo("C1", 1.5, "D");
    b.setCombo("C2", 1, "L");
    b.setCombo("C2", 2, "D");  // mismo nombre: se suma
    b.setCombo("C3", 1.2, "W");  // caso que la barra no tiene
    ASSERT_EQ(b.getEtiquetasCombo(), (std::vector<std::string>{"C1", "C2", "C3"}));
    MatrixXd M = b.getMatrizCargasCombo();
    ASSERT_EQ(M.rows(), 3);
    ASSERT_EQ(M.cols(), 7);
    Fila7 D = fila(1, -1, 2 - 10, 4 - 20, 0, 0, 0);
    Fila7 Lc = fila(0, 0, 0, 0, 3, 3, 0.7);
    EXPECT_LT((M.row(0) - 1.5 * D).norm(), 1e-13);
    EXPECT_LT((M.row(1) - (Lc + 2 * D)).norm(), 1e-13);
    EXPECT_EQ(M.row(2), Fila7::Zero());

    typedef double (objBarra3d::*Getter)(int);
    const Getter getters[7] = {&objBarra3d::getFxIniCombo, &objBarra3d::getFxFinCombo,
                               &objBarra3d::getFyIniCombo, &objBarra3d::getFyFinCombo,
                               &objBarra3d::getFzIniCombo, &objBarra3d::getFzFinCombo,
                               &objBarra3d::getTCombo};
    for (int k = 0; k < 7; k++) {
        for (int c = 0; c < 3; c++) EXPECT_EQ((b.*getters[k])(c), M(c, k));
        EXPECT_EQ((b.*getters[k])(3), 0.0);  // fuera de la tabla
        EXPECT_EQ((b.*getters[k])(-1), 0.0);
    }
    // combo sin cargas: equivalentes nulas en su columna
    MatrixXd f = b.getCargasEquivalentesLocales();
    ASSERT_EQ(f.cols(), 3);
    EXPECT_EQ(f.col(2), VectorXd::Zero(12));

    // Sin combos: tablas de 12 x 0
    objBarra3d s = barraCargada(3);
    s.setDistribuidaLocalY("D", 1, 1);
    EXPECT_EQ(s.getCargasEquivalentesLocales().rows(), 12);
    EXPECT_EQ(s.getCargasEquivalentesLocales().cols(), 0);
    EXPECT_EQ(s.getCargasEquivalentesGlobales().cols(), 0);
}

TEST(BarraCargas, CargaGlobalSeProyectaEnLosEjesLocales)
{
    const double w = 0.3 * 0.6 * 25;  // área por peso específico
    const double c30 = std::sqrt(3.0) / 2;
    struct Caso {
        const char* nombre;
        Vector3d pi, pj;
        double rotacion;
        Fila7 esperada;
    };
    const Caso casos[] = {
        {"horizontal", {0, 0, 0}, {4, 0, 0}, 0, fila(0, 0, -w, -w, 0, 0, 0)},
        {"vertical arriba", {0, 0, 0}, {0, 0, 3}, 0, fila(-w, -w, 0, 0, 0, 0, 0)},
        {"vertical abajo", {0, 0, 3}, {0, 0, 0}, 0, fila(w, w, 0, 0, 0, 0, 0)},
        {"inclinada (3,0,4)", {0, 0, 0}, {3, 0, 4}, 0,
         fila(-0.8 * w, -0.8 * w, -0.6 * w, -0.6 * w, 0, 0, 0)},
        {"horizontal rotada 30", {0, 0, 0}, {0, 4, 0}, 30,
         fila(0, 0, -c30 * w, -c30 * w, 0.5 * w, 0.5 * w, 0)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b;
        b.resetFlags();
        b.setNudoInicio(0, c.pi(0), c.pi(1), c.pi(2));
        b.setNudoFinal(1, c.pj(0), c.pj(1), c.pj(2));
        b.setRotacion(c.rotacion);
        b.setSeccionRectangular(0.3, 0.6);
        b.setPesoEspecifico(25);
        b.setPesoPropio("PP");
        b.setCombo("C", 1, "PP");
        EXPECT_LT((b.getMatrizCargasCombo().row(0) - c.esperada).norm(), 1e-13 * w);
    }

    // Solo cuenta la dirección; sin peso específico la fila existe y es nula
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 3, 0, 4);
    b.setSeccionRectangular(0.3, 0.6);
    b.setDistribuidaGlobal("A", 1, 2, 0, 0, -2);
    b.setDistribuidaGlobal("B", 1, 2, 0, 0, -1);
    b.setDistribuidaGlobal("X", 1, 2, 7, 0, 0);
    b.setPesoPropio("PP");
    b.setCombo("A", 1, "A");
    b.setCombo("B", 1, "B");
    b.setCombo("X", 1, "X");
    b.setCombo("PP", 1, "PP");
    MatrixXd M = b.getMatrizCargasCombo();
    EXPECT_EQ(M.row(0), M.row(1));
    EXPECT_LT((M.row(2) - fila(0.6, 1.2, -0.8, -1.6, 0, 0, 0)).norm(), 1e-15);
    EXPECT_EQ(M.row(3), Fila7::Zero());

    // Dirección nula: una línea con la barra y el caso, fila en ceros
    objBarra3d z = ayuda::barraEntre(0, 0, 0, 3, 0, 0);
    z.setNoBarraUsuario(14);
    std::string salida = capturarSalida([&] { z.setDistribuidaGlobal("W", 1, 1, 0, 0, 0); });
    EXPECT_EQ(salida, "Dirección nula en la carga global de la barra 14, caso W: se toma como "
                      "carga nula\n");
    z.setCombo("C", 1, "W");
    EXPECT_EQ(z.getMatrizCargasCombo().row(0), Fila7::Zero());
}

// En ejes globales: las fuerzas y momentos locales sobre los ejes calculados
// a mano; la tabla se calcula una vez y se conserva.
TEST(BarraCargas, EquivalentesGlobales)
{
    const double L = 5, qy = -4, qz = 3;
    const Vector3d ex(0.6, 0.8, 0), ey(0, 0, 1), ez(0.8, -0.6, 0);
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 3, 4, 0);
    b.setSeccionRectangular(0.3, 0.6);
    b.setModuloEyPoisson(2.5e7, 0.2);
    b.setDistribuidaLocalY("D", qy, qy);
    b.setDistribuidaLocalZ("D", qz, qz);
    b.setCombo("C", 1, "D");
    // sin pedir antes la rigidez: construye T por su cuenta
    MatrixXd g = b.getCargasEquivalentesGlobales();
    ASSERT_EQ(g.rows(), 12);
    ASSERT_EQ(g.cols(), 1);
    Vector3d F = (qy * ey + qz * ez) * L / 2;
    Vector3d Mi = (qy * ez - qz * ey) * L * L / 12;
    EXPECT_LT((g.block<3, 1>(0, 0) - F).norm(), 1e-13);
    EXPECT_LT((g.block<3, 1>(6, 0) - F).norm(), 1e-13);
    EXPECT_LT((g.block<3, 1>(3, 0) - Mi).norm(), 1e-13);
    EXPECT_LT((g.block<3, 1>(9, 0) + Mi).norm(), 1e-13);

    // Cambios posteriores no llegan a la tabla global; la local se recalcula
    MatrixXd local = b.getCargasEquivalentesLocales();
    b.setArticulacion(0, 0, 0, 0);
    b.setCombo("C", 1, "D");
    b.setCombo("C2", 1, "D");
    EXPECT_EQ(b.getCargasEquivalentesGlobales(), g);
    MatrixXd local2 = b.getCargasEquivalentesLocales();
    ASSERT_EQ(local2.cols(), 2);
    EXPECT_EQ(local2(5, 0), 0.0);
    EXPECT_NEAR(local2(1, 0), 2 * local(1, 0), 1e-13);
}

}  // namespace
