// Barra: desplazamientos recibidos, fuerzas en extremos, diagramas, corte
// nulo, momento extremo y deformada contra la teoría de vigas.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ayuda_barra.h"
#include "comun/utilidades.h"

namespace {

using Eigen::Vector3d;
using Fun = std::function<double(double)>;

const std::string kSinConstantes = "El progama aun no calculó las constanes de integración\n";

// Ejes locales escritos a mano en coordenadas globales
struct Ejes {
    Vector3d ex, ey, ez;
};

// Matriz U de la estructura (filas de los nudos ni y nj) desde los
// desplazamientos locales de los extremos; el resto de las filas con basura.
MatrixXd uEstructura(const Ejes& e, const MatrixXd& uL, int ni, int nj, int noNudos)
{
    Eigen::Matrix3d aGlobal;
    aGlobal.col(0) = e.ex;
    aGlobal.col(1) = e.ey;
    aGlobal.col(2) = e.ez;
    MatrixXd U = MatrixXd::Constant(6 * noNudos, uL.cols(), 99.0);
    int nudos[2] = {ni, nj};
    for (int extremo = 0; extremo < 2; extremo++)
        for (int bloque = 0; bloque < 2; bloque++)
            U.middleRows(6 * nudos[extremo] + 3 * bloque, 3) =
                aGlobal * uL.middleRows(6 * extremo + 3 * bloque, 3);
    return U;
}

// Viga rectangular 0.3 x 0.6 de hormigón a lo largo de +X, desde el nudo 0
objBarra3d vigaX(double L, int nj = 1)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, L, 0, 0, 0, nj);
    b.setSeccionRectangular(0.3, 0.6);
    b.setModuloEyPoisson(2.5e7, 0.2);
    return b;
}

// El orden del análisis: gdl, rigidez global, cargas equivalentes globales,
// desplazamientos
void analizar(objBarra3d& b, const MatrixXd& U)
{
    b.getGdl();
    b.getKGlobal();
    b.getCargasEquivalentesGlobales();
    b.setDesplazamientos(U);
}

// Resultado esperado de un combo, por teoría de vigas
struct Esperado {
    const char* nombre;
    Eigen::Matrix<double, 12, 1> uL;  // desplazamientos locales entregados
    Fun N, T, Vy, My, Vz, Mz, v, w;   // v, w: flechas locales absolutas
    double xVY, xVZ;                  // -1 sin corte nulo interior
};

// Compara todos los resultados de la barra con el combo c esperado
void comprobar(objBarra3d& b, int c, const Esperado& e, double L, double escalaF,
               double escalaM, double escalaD)
{
    SCOPED_TRACE(e.nombre);
    const int n = 21;
    const double tolF = 1e-9 * escalaF, tolM = 1e-9 * escalaM, tolD = 1e-9 * escalaD;
    struct Diagrama {
        const char* nombre;
        MatrixXd R;
        Fun f;
        double tol;
    };
    const Diagrama diagramas[] = {
        {"axial", b.getSolicitacionAxial(c, n), e.N, tolF},
        {"torsión", b.getSolicitacionTorsion(c, n), e.T, tolM},
        {"Vy", b.getSolicitacionVy(c, n), e.Vy, tolF},
        {"My", b.getSolicitacionMy(c, n), e.My, tolM},
        {"Vz", b.getSolicitacionVz(c, n), e.Vz, tolF},
        {"Mz", b.getSolicitacionMz(c, n), e.Mz, tolM},
    };
    for (const Diagrama& d : diagramas) {
        SCOPED_TRACE(d.nombre);
        ASSERT_EQ(d.R.rows(), 2);
        ASSERT_EQ(d.R.cols(), n);
        for (int k = 0; k < n; k++) {
            double x = L * k / 20.0;
            EXPECT_NEAR(d.R(0, k), x, 1e-14 * L);
            EXPECT_NEAR(d.R(1, k), d.f(x), d.tol) << "x = " << x;
        }
    }

    // Fuerzas en extremos: las de la tabla de signos de los momentos y las
    // de los extremos de los diagramas de axial y torsión
    MatrixXd S = b.getFuerzasExtremos();
    ASSERT_EQ(S.rows(), 12);
    ASSERT_GT(S.cols(), c);
    EXPECT_NEAR(-S(5, c), e.My(0), tolM);
    EXPECT_NEAR(S(11, c), e.My(L), tolM);
    EXPECT_NEAR(S(4, c), e.Mz(0), tolM);
    EXPECT_NEAR(-S(10, c), e.Mz(L), tolM);
    EXPECT_NEAR(-S(0, c), e.N(0), tolF);
    EXPECT_NEAR(S(6, c), e.N(L), tolF);
    EXPECT_NEAR(-S(3, c), e.T(0), tolM);
    EXPECT_NEAR(S(9, c), e.T(L), tolM);
    // cortes en los extremos: la fuerza sobre la barra en i es V(0) y en j, -V(L)
    EXPECT_NEAR(S(1, c), e.Vy(0), tolF);
    EXPECT_NEAR(S(7, c), -e.Vy(L), tolF);
    EXPECT_NEAR(S(2, c), e.Vz(0), tolF);
    EXPECT_NEAR(S(8, c), -e.Vz(L), tolF);

    // Corte nulo y momento extremo
    EXPECT_NEAR(b.getXVYcero(c), e.xVY, 1e-9 * L);
    EXPECT_NEAR(b.getXVZcero(c), e.xVZ, 1e-9 * L);
    EXPECT_NEAR(b.getMymax(c), e.xVY == -1 ? 0.0 : e.My(e.xVY), tolM);
    EXPECT_NEAR(b.getMzmax(c), e.xVZ == -1 ? 0.0 : e.Mz(e.xVZ), tolM);

    // Deformada: estación más el alargamiento repartido; flechas desde el extremo i
    for (int nEst : {21, 7}) {
        const double escala = 50;
        MatrixXd D = b.getBarraDeformada(c, nEst, escala);
        ASSERT_EQ(D.rows(), 3);
        ASSERT_EQ(D.cols(), nEst);
        double du = escala * (e.uL(6) - e.uL(0));
        for (int k = 0; k < nEst; k++) {
            double x = L * k / (nEst - 1.0);
            EXPECT_NEAR(D(0, k), x + du * k / (nEst - 1.0), 1e-12 * L);
            EXPECT_NEAR(D(1, k), escala * (e.v(x) - e.v(0)), escala * tolD) << x;
            EXPECT_NEAR(D(2, k), escala * (e.w(x) - e.w(0)), escala * tolD) << x;
        }
        EXPECT_EQ(D(0, 0), 0.0);
        EXPECT_EQ(D(1, 0), 0.0);
        EXPECT_EQ(D(2, 0), 0.0);
    }
    MatrixXd D0 = b.getBarraDeformada(c, n, 0);
    for (int k = 0; k < n; k++) {
        EXPECT_NEAR(D0(0, k), L * k / 20.0, 1e-14 * L);
        EXPECT_EQ(D0(1, k), 0.0);
        EXPECT_EQ(D0(2, k), 0.0);
    }
}

// Equilibrio de la barra: fuerzas en extremos más la carga del combo
void comprobarEquilibrio(objBarra3d& b, int c, double L, double escalaF)
{
    MatrixXd S = b.getFuerzasExtremos();
    MatrixXd q = b.getMatrizCargasCombo();
    double qx = (q(c, 0) + q(c, 1)) * L / 2;
    double qy = (q(c, 2) + q(c, 3)) * L / 2;
    double qz = (q(c, 4) + q(c, 5)) * L / 2;
    // momentos de la carga respecto del extremo i: ∫ q(x)·x dx
    double my = L * L * (q(c, 2) / 6 + q(c, 3) / 3);
    double mz = L * L * (q(c, 4) / 6 + q(c, 5) / 3);
    const double tol = 1e-9 * escalaF * L;
    EXPECT_NEAR(S(0, c) + S(6, c) + qx, 0, tol);
    EXPECT_NEAR(S(1, c) + S(7, c) + qy, 0, tol);
    EXPECT_NEAR(S(2, c) + S(8, c) + qz, 0, tol);
    EXPECT_NEAR(S(3, c) + S(9, c) + q(c, 6) * L, 0, tol);
    EXPECT_NEAR(S(5, c) + S(11, c) + L * S(7, c) + my, 0, tol);
    EXPECT_NEAR(S(4, c) + S(10, c) - L * S(8, c) - mz, 0, tol);
}

// Una barra de casos conocidos, recta a lo largo de +X o inclinada y rotada
TEST(BarraResultados, CasosConocidosDeVigas)
{
    const double L = 7, E = 2.5e7, nu = 0.2;
    const double bs = 0.3, hs = 0.6, A = bs * hs;
    const double Iz = bs * hs * hs * hs / 12, Iy = hs * bs * bs * bs / 12;
    const double EIz = E * Iz, EIy = E * Iy;
    const double q = 10, p = 4;          // cargas hacia -y y hacia -z (caso "Q")
    const double fAP = 1.5;              // factor del combo apuntalado
    const double qxI = 2, qxF = 5, mt = 3;  // caso "X"
    const double M0 = 30, M1 = -12, delta = 2e-4, psi = 3e-4;

    // Bases a mano. Inclinada: d = (2, 3, 6), L = 7; y sin rotar en el plano
    // vertical con Z positiva; rotación de 30° alrededor de x.
    Ejes recta{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    Vector3d ex(2.0 / 7, 3.0 / 7, 6.0 / 7);
    Vector3d ey0 = Vector3d(-12, -18, 13) / std::sqrt(637.0);
    Vector3d ez0 = ex.cross(ey0);
    double c30 = std::sqrt(3.0) / 2, s30 = 0.5;
    Ejes inclinada{ex, c30 * ey0 + s30 * ez0, -s30 * ey0 + c30 * ez0};

    // Combos: EE empotrada-empotrada con movimiento rígido, AP apuntalada
    // (empotrada en i, apoyo simple en j), MO ménsula con momentos en j,
    // alargamiento y giro de torsión, AX empotrada con carga axial y torsor.
    const double u0 = 1e-3, v0 = 2e-3, w0 = -1e-3, tz = 5e-4, ty = 3e-4, tx = 4e-4;
    const double qa = fAP * q, pa = fAP * p;
    Fun cero = [](double) { return 0.0; };
    Esperado casos[4];
    casos[0].nombre = "empotrada-empotrada";
    casos[0].uL << u0, v0, w0, tx, ty, tz, u0, v0 + tz * L, w0 - ty * L, tx, ty, tz;
    casos[0].N = cero;
    casos[0].T = cero;
    casos[0].Vy = [=](double x) { return q * (L / 2 - x); };
    casos[0].My = [=](double x) { return q * x * (L - x) / 2 - q * L * L / 12; };
    casos[0].Vz = [=](double x) { return p * (L / 2 - x); };
    casos[0].Mz = [=](double x) { return p * x * (L - x) / 2 - p * L * L / 12; };
    casos[0].v = [=](double x) { return v0 + tz * x - q * x * x * (L - x) * (L - x) / (24 * EIz); };
    casos[0].w = [=](double x) { return w0 - ty * x - p * x * x * (L - x) * (L - x) / (24 * EIy); };
    casos[0].xVY = casos[0].xVZ = L / 2;

    casos[1].nombre = "apuntalada";
    casos[1].uL.setZero();
    casos[1].uL(11) = qa * L * L * L / (48 * EIz);   // giro en j = dv/dx
    casos[1].uL(10) = -pa * L * L * L / (48 * EIy);  // giro en y = -dw/dx
    casos[1].N = cero;
    casos[1].T = cero;
    casos[1].Vy = [=](double x) { return 5 * qa * L / 8 - qa * x; };
    casos[1].My = [=](double x) { return 5 * qa * L * x / 8 - qa * x * x / 2 - qa * L * L / 8; };
    casos[1].Vz = [=](double x) { return 5 * pa * L / 8 - pa * x; };
    casos[1].Mz = [=](double x) { return 5 * pa * L * x / 8 - pa * x * x / 2 - pa * L * L / 8; };
    casos[1].v = [=](double x) {
        return -qa * x * x * (3 * L * L - 5 * L * x + 2 * x * x) / (48 * EIz);
    };
    casos[1].w = [=](double x) {
        return -pa * x * x * (3 * L * L - 5 * L * x + 2 * x * x) / (48 * EIy);
    };
    casos[1].xVY = casos[1].xVZ = 5 * L / 8;

    casos[2].nombre = "ménsula con momento";
    casos[2].uL.setZero();
    casos[2].uL(6) = delta;
    casos[2].uL(9) = psi;
    casos[2].uL(7) = M0 * L * L / (2 * EIz);
    casos[2].uL(11) = M0 * L / EIz;
    casos[2].uL(8) = M1 * L * L / (2 * EIy);
    casos[2].uL(10) = -M1 * L / EIy;
    const double N0 = E * A * delta / L;
    objBarra3d auxiliar = ayuda::barraEntre(0, 0, 0, L, 0, 0);
    auxiliar.setSeccionRectangular(bs, hs);
    auxiliar.setModuloEyPoisson(E, nu);
    const double T0 = auxiliar.getModG() * auxiliar.getModJ() * psi / L;
    casos[2].N = [=](double) { return N0; };
    casos[2].T = [=](double) { return T0; };
    casos[2].Vy = cero;
    casos[2].My = [=](double) { return M0; };
    casos[2].Vz = cero;
    casos[2].Mz = [=](double) { return M1; };
    casos[2].v = [=](double x) { return M0 * x * x / (2 * EIz); };
    casos[2].w = [=](double x) { return M1 * x * x / (2 * EIy); };
    casos[2].xVY = casos[2].xVZ = -1;

    casos[3].nombre = "axial y torsor";
    casos[3].uL.setZero();
    // barra empotrada: alargamiento nulo, ∫N = 0
    const double mx = (qxF - qxI) / L, Nini = qxI * L / 2 + mx * L * L / 6;
    casos[3].N = [=](double x) { return Nini - qxI * x - mx * x * x / 2; };
    casos[3].T = [=](double x) { return mt * (L / 2 - x); };
    casos[3].Vy = casos[3].My = casos[3].Vz = casos[3].Mz = cero;
    casos[3].v = casos[3].w = cero;
    casos[3].xVY = casos[3].xVZ = -1;

    struct Orientacion {
        const char* nombre;
        Vector3d i;
        Ejes ejes;
        double rotacion;
        int ni, nj, noNudos;
    };
    const Orientacion orientaciones[] = {
        {"recta en +X", {0, 0, 0}, recta, 0, 0, 1, 2},
        {"inclinada y rotada", {1, 2, 3}, inclinada, 30, 0, 2, 3},
    };
    for (const Orientacion& o : orientaciones) {
        SCOPED_TRACE(o.nombre);
        Vector3d j = o.i + L * o.ejes.ex;
        objBarra3d b = ayuda::barraEntre(o.i.x(), o.i.y(), o.i.z(), j.x(), j.y(), j.z(), o.ni, o.nj);
        ASSERT_NEAR(b.getLongitud(), L, 1e-12);
        if (o.rotacion != 0) b.setRotacion(o.rotacion);
        b.setSeccionRectangular(bs, hs);
        b.setModuloEyPoisson(E, nu);
        b.setDistribuidaLocalY("Q", -q, -q);
        b.setDistribuidaLocalZ("Q", -p, -p);
        b.setDistribuidaLocalX("X", qxI, qxF);
        b.setDistribuidaLocalT("X", mt);
        b.setCombo("EE", 1, "Q");
        b.setCombo("AP", fAP, "Q");
        b.setCombo("MO", 1, "M");
        b.setCombo("AX", 1, "X");
        MatrixXd uL(12, 4);
        for (int c = 0; c < 4; c++) uL.col(c) = casos[c].uL;
        std::string salida;
        salida = capturarSalida([&] {
            analizar(b, uEstructura(o.ejes, uL, o.ni, o.nj, o.noNudos));
        });
        EXPECT_EQ(salida, "");
        for (int c = 0; c < 4; c++) {
            EXPECT_TRUE(b.getBoolResultados(c));
            comprobar(b, c, casos[c], L, q * L, q * L * L, q * std::pow(L, 4) / EIy);
            comprobarEquilibrio(b, c, L, q * L);
        }
        EXPECT_FALSE(b.getBoolResultados(4));
        EXPECT_FALSE(b.getBoolResultados(-1));
        // nada de lo anterior escribe
        salida = capturarSalida([&] {
            for (int c = 0; c < 4; c++) {
                b.getXVYcero(c);
                b.getMzmax(c);
                b.getSolicitacionMy(c, 21);
                b.getBarraDeformada(c, 21, 100);
            }
        });
        EXPECT_EQ(salida, "");
    }
}

// Tramo apoyado (rótulas en los dos extremos del plano cargado): corte nulo
// y momento extremo contra la estática; la raíz en 0 o en L no cuenta.
TEST(BarraResultados, CorteNuloEnTramoApoyado)
{
    const double E = 2.5e7, bs = 0.3, hs = 0.6;
    const double Iz = bs * hs * hs * hs / 12, Iy = hs * bs * bs * bs / 12;
    const double r3 = std::sqrt(3.0), d = std::sqrt(25 - 50.0 / 3);
    struct Caso {
        const char* nombre;
        double L, qI, qF;
        double xV;  // calculado a mano
    };
    const Caso casos[] = {
        {"uniforme", 6, -4, -4, 3},
        {"triangular creciente", 6, 0, 5, 6 / r3},
        {"dos ceros, pendiente positiva", 10, -10, 10, 5 - d},
        {"dos ceros, pendiente negativa", 10, 10, -10, 5 + d},
        {"cero en i no cuenta", 6, -1, 2, 4},
        {"cero en j no cuenta", 6, 2, -1, 2},
    };
    for (const Caso& c : casos) {
        for (bool planoY : {true, false}) {
            SCOPED_TRACE(std::string(c.nombre) + (planoY ? " plano x-y" : " plano x-z"));
            const double L = c.L, m = (c.qF - c.qI) / L;
            objBarra3d b = vigaX(L);
            if (planoY) {
                b.setDistribuidaLocalY("D", c.qI, c.qF);
                b.setArticulacion(0, 0, 1, 1);
            } else {
                b.setDistribuidaLocalZ("D", c.qI, c.qF);
                b.setArticulacion(1, 1, 0, 0);
            }
            b.setCombo("C", 1, "D");
            // apoyos fijos; los giros de los nudos no entran por las rótulas
            MatrixXd U = MatrixXd::Zero(12, 1);
            U(4, 0) = 0.01;
            U(11, 0) = -0.02;
            U(5, 0) = 0.03;
            U(10, 0) = -0.01;
            analizar(b, U);

            // estática: reacción en i, corte y momento desde la izquierda
            const double Ri = -(c.qI * L / 2 + m * L * L / 6);
            auto V = [&](double x) { return Ri + c.qI * x + m * x * x / 2; };
            auto M = [&](double x) { return Ri * x + c.qI * x * x / 2 + m * x * x * x / 6; };
            double xV = planoY ? b.getXVYcero(0) : b.getXVZcero(0);
            double otro = planoY ? b.getXVZcero(0) : b.getXVYcero(0);
            EXPECT_NEAR(xV, c.xV, 1e-9 * L);
            EXPECT_NEAR(V(c.xV), 0, 1e-9 * std::abs(Ri));
            EXPECT_EQ(otro, -1);  // plano sin carga: corte constante nulo
            double Mmax = planoY ? b.getMymax(0) : b.getMzmax(0);
            EXPECT_NEAR(Mmax, M(c.xV), 1e-9 * std::abs(c.qI * L * L + m * L * L * L));
            EXPECT_EQ(planoY ? b.getMzmax(0) : b.getMymax(0), 0.0);
            MatrixXd Vd = planoY ? b.getSolicitacionVy(0, 11) : b.getSolicitacionVz(0, 11);
            MatrixXd Md = planoY ? b.getSolicitacionMy(0, 11) : b.getSolicitacionMz(0, 11);
            for (int k = 0; k < 11; k++) {
                double x = L * k / 10;
                EXPECT_NEAR(Vd(1, k), V(x), 1e-9 * (std::abs(Ri) + 1));
                EXPECT_NEAR(Md(1, k), M(x), 1e-9 * (std::abs(Ri) * L + 1));
            }
        }
    }
    // Valores de libro de los dos primeros: qL²/8 y q0·L²/(9·√3)
    {
        objBarra3d b = vigaX(6);
        b.setDistribuidaLocalY("U", -4, -4);
        b.setDistribuidaLocalZ("T", 0, 5);
        b.setArticulacion(0, 0, 0, 0);
        b.setCombo("C1", 1, "U");
        b.setCombo("C2", 1, "T");
        analizar(b, MatrixXd::Zero(12, 2));
        EXPECT_NEAR(b.getMymax(0), 4 * 36 / 8.0, 1e-9);
        EXPECT_NEAR(b.getMzmax(1), -5 * 36 / (9 * r3), 1e-9);
        // flechas de libro del tramo apoyado
        MatrixXd D = b.getBarraDeformada(0, 21, 1);
        MatrixXd D2 = b.getBarraDeformada(1, 21, 1);
        for (int k = 0; k < 21; k++) {
            double x = 6 * k / 20.0, L = 6;
            EXPECT_NEAR(D(1, k), -4 * x * (L * L * L - 2 * L * x * x + x * x * x) / (24 * E * Iz),
                        1e-12);
            EXPECT_NEAR(D2(2, k),
                        5 * x * (7 * std::pow(L, 4) - 10 * L * L * x * x + 3 * std::pow(x, 4)) /
                            (360 * L * E * Iy),
                        1e-12);
        }
    }
}

// Placa de 2 m (0.3 x 0.8, corte con factor 1.2) en un nudo empotrado, con el
// otro empotrado, libre o apoyado, y resortes en los extremos: fuerzas en
// extremos, esfuerzos y deformada de la viga de Timoshenko. Referencia por
// plano: rigidez y cargas de la ménsula por el método de las fuerzas con
// resortes condensados, esfuerzos por estática y flecha integrando
// E·I·giro' = M y flecha' = giro - V·f/(G·A) desde el extremo i.
TEST(BarraResultados, PlacaComoVigaDeTimoshenko)
{
    const double L = 2, E = 3e7, nu = 0.2, bs = 0.3, hs = 0.8, f = 1.2;
    const double G = E / (2 * (1 + nu)), A = bs * hs;
    const double Iz = hs * hs * hs * bs / 12, Iy = bs * bs * bs * hs / 12;
    const double qyI = 0, qyF = -10, qz = 6;  // triangular en y, uniforme en z
    Ejes recta{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    const int gy[4] = {1, 5, 7, 11}, gz[4] = {2, 4, 8, 10};
    const double sz[4] = {1, -1, 1, -1};

    struct Plano {
        double a, b;  // factores de los extremos
    };
    struct Caso {
        const char* nombre;
        Plano y, z;
        bool libreV, libreGiro;  // gdl libres del nudo j
    };
    const Caso casos[] = {
        {"empotrada en los dos nudos", {1, 0.5}, {0.5, 1}, false, false},
        {"ménsula con resortes en i", {0.5, 1}, {0.5, 1}, true, true},
        {"apuntalada", {1, 1}, {0.5, 0.3}, false, true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        objBarra3d b = ayuda::barraEntre(0, 0, 0, L, 0, 0);
        b.setSeccionPlaca(bs, hs);
        b.setModuloEyPoisson(E, nu);
        b.setArticulacion(caso.y.a, caso.y.b, caso.z.a, caso.z.b);
        b.setDistribuidaLocalY("D", qyI, qyF);
        b.setDistribuidaLocalZ("D", qz, qz);
        b.setCombo("C", 1, "D");

        // Referencia de cada plano, en gdl (v_i, giro_i, v_j, giro_j) con giro = dv/dx
        Eigen::Matrix<double, 12, 1> uL = Eigen::Matrix<double, 12, 1>::Zero();
        Eigen::Vector4d S[2];
        Fun V[2], M[2], d[2];
        for (int p = 0; p < 2; p++) {
            const Plano& pl = p == 0 ? caso.y : caso.z;
            double I = p == 0 ? Iz : Iy, EI = E * I;
            double qI = p == 0 ? qyI : qz, qF = p == 0 ? qyF : qz;
            ayuda::PlanoCondensado c =
                ayuda::condensarResortes(pl.a, pl.b, ayuda::vigaRigida(E, I, L, f, G, A),
                                         ayuda::cargasFuerzas(E, I, L, f, G, A, qI, qF), E, I, L);
            std::vector<int> libres;
            if (caso.libreV) libres.push_back(2);
            if (caso.libreGiro) libres.push_back(3);
            Eigen::Vector4d u = Eigen::Vector4d::Zero();
            int n = static_cast<int>(libres.size());
            if (n > 0) {
                MatrixXd Kff(n, n);
                VectorXd ff(n);
                for (int r = 0; r < n; r++) {
                    ff(r) = c.f(libres[r]);
                    for (int s = 0; s < n; s++) Kff(r, s) = c.K(libres[r], libres[s]);
                }
                VectorXd uf = Kff.ldlt().solve(ff);
                for (int r = 0; r < n; r++) u(libres[r]) = uf(r);
            }
            S[p] = c.K * u - c.f;
            for (int r = 0; r < 4; r++) {
                if (p == 0) uL(gy[r]) = u(r);
                else uL(gz[r]) = sz[r] * u(r);
            }
            double M0 = -S[p](1), V0 = S[p](0);
            auto q = [=](double s) { return qI + (qF - qI) * s / L; };
            M[p] = [=](double x) {
                return M0 + V0 * x +
                       ayuda::integrarGauss([=](double s) { return q(s) * (x - s); }, 0, x);
            };
            V[p] = [=](double x) { return V0 + ayuda::integrarGauss(q, 0, x); };
            // giro de la viga en i: el del nudo más el del resorte (M(0) = k·Δgiro)
            double giro0 = u(1) + (pl.a < 1 ? M0 * (1 - pl.a) * L / (pl.a * EI) : 0.0);
            Fun Mp = M[p];
            d[p] = [=](double x) {
                return u(0) + x * giro0 +
                       ayuda::integrarGauss([=](double s) { return (x - s) * Mp(s); }, 0, x) / EI -
                       (Mp(x) - M0) * f / (G * A);
            };
        }
        std::string salida =
            capturarSalida([&] { analizar(b, uEstructura(recta, uL, 0, 1, 2)); });
        EXPECT_EQ(salida, "");

        const double escF = 10 * L, escM = 10 * L * L, escD = 10 * std::pow(L, 4) / (E * Iy);
        MatrixXd Sm = b.getFuerzasExtremos();
        for (int r = 0; r < 4; r++) {
            EXPECT_NEAR(Sm(gy[r], 0), S[0](r), 1e-9 * (r % 2 ? escM : escF)) << "fila " << gy[r];
            EXPECT_NEAR(sz[r] * Sm(gz[r], 0), S[1](r), 1e-9 * (r % 2 ? escM : escF))
                << "fila " << gz[r];
        }
        MatrixXd Vy = b.getSolicitacionVy(0, 21), My = b.getSolicitacionMy(0, 21);
        MatrixXd Vz = b.getSolicitacionVz(0, 21), Mz = b.getSolicitacionMz(0, 21);
        MatrixXd D = b.getBarraDeformada(0, 21, 1);
        for (int k = 0; k < 21; k++) {
            double x = L * k / 20;
            EXPECT_NEAR(Vy(1, k), V[0](x), 1e-9 * escF) << x;
            EXPECT_NEAR(My(1, k), M[0](x), 1e-9 * escM) << x;
            EXPECT_NEAR(Vz(1, k), V[1](x), 1e-9 * escF) << x;
            EXPECT_NEAR(Mz(1, k), M[1](x), 1e-9 * escM) << x;
            EXPECT_NEAR(D(1, k), d[0](x), 1e-9 * escD) << x;
            EXPECT_NEAR(D(2, k), d[1](x), 1e-9 * escD) << x;
        }
        // a media luz, en detalle
        EXPECT_NEAR(D(1, 10) / d[0](L / 2), 1, 1e-9);
        EXPECT_NEAR(D(2, 10) / d[1](L / 2), 1, 1e-9);
        comprobarEquilibrio(b, 0, L, escF);
    }
}

// Carga casi uniforme, qF = qI·(1 + 1e-9), en un tramo apoyado: el corte nulo
// es el de la carga uniforme, L/2 (se corre unos L·1e-9/24)
TEST(BarraResultados, CorteNuloDeCargaCasiUniforme)
{
    for (double L : {6.0, 0.7, 55.722111139402962}) {
        // con -0.71 y 5.6756 la fórmula con cancelación se aleja 1.6e-7·L
        for (double qI : {-0.71, 0.71, 5.6756, -4.0}) {
            for (bool planoY : {true, false}) {
                SCOPED_TRACE(testing::Message() << "L " << L << ", qI " << qI
                                                << (planoY ? " plano x-y" : " plano x-z"));
                objBarra3d b = vigaX(L);
                double qF = qI * (1 + 1e-9);
                if (planoY) {
                    b.setDistribuidaLocalY("D", qI, qF);
                } else {
                    b.setDistribuidaLocalZ("D", qI, qF);
                }
                b.setArticulacion(0, 0, 0, 0);
                b.setCombo("C", 1, "D");
                analizar(b, MatrixXd::Zero(12, 1));
                double x0 = planoY ? b.getXVYcero(0) : b.getXVZcero(0);
                EXPECT_NEAR(x0, L / 2, 1e-9 * L);
                double M = planoY ? b.getMymax(0) : b.getMzmax(0);
                EXPECT_NEAR(M, -qI * L * L / 8, 1e-9 * std::abs(qI) * L * L);
            }
        }
    }
}

// Cargas globales y peso propio resueltos con R·d: el plano sin carga queda
// sin carga (nada de restos de redondeo) y sin corte nulo; una barra
// inclinada 30° y rodada 30° tiene los dos planos cargados y sus dos puntos
// verdaderos. Apuntalada (empotrada en i, rótula en j): x0 = 5L/8 y
// M(x0) = -9·q·L²/128 para la carga q del plano.
TEST(BarraResultados, PlanoSinCargaDeCargasGlobales)
{
    const double L = 4, w = 0.3 * 0.6 * 25, c30 = std::sqrt(3.0) / 2;
    struct Caso {
        const char* nombre;
        Vector3d j;
        double rotacion;
        double qy, qz;  // componentes locales del peso, a mano
    };
    const Caso casos[] = {
        {"horizontal en X", {L, 0, 0}, 0, -w, 0},
        {"horizontal en Y", {0, L, 0}, 0, -w, 0},
        {"horizontal oblicua", {L * 0.6, L * 0.8, 0}, 0, -w, 0},
        {"inclinada 30°", {L * c30, 0, L / 2}, 0, -c30 * w, 0},
        // y sin rodar (-1/2, 0, c30); z = (0, -1, 0); rodada 30° alrededor de x
        {"inclinada 30° y rodada 30°", {L * c30, 0, L / 2}, 30, -c30 * c30 * w, 0.5 * c30 * w},
        {"horizontal rodada 30°", {L, 0, 0}, 30, -c30 * w, 0.5 * w},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b = ayuda::barraEntre(0, 0, 0, c.j.x(), c.j.y(), c.j.z());
        if (c.rotacion != 0) b.setRotacion(c.rotacion);
        b.setSeccionRectangular(0.3, 0.6);
        b.setModuloEyPoisson(2.5e7, 0.2);
        b.setPesoEspecifico(25);
        b.setPesoPropio("PP");
        b.setDistribuidaGlobal("G", 3, 3, 0, 0, -5);
        b.setArticulacion(1, 0, 1, 0);
        b.setCombo("C1", 1, "PP");
        b.setCombo("C2", 1.2, "PP");
        b.setCombo("C2", 1.6, "G");
        analizar(b, MatrixXd::Zero(12, 2));
        for (int k = 0; k < 2; k++) {
            double factor = k == 0 ? 1 : (1.2 + 1.6 * 3 / w);
            double qy = factor * c.qy, qz = factor * c.qz;
            // sin carga: ceros exactos en la tabla del combo
            if (qz == 0) {
                EXPECT_EQ(b.getFzIniCombo(k), 0.0);
                EXPECT_EQ(b.getFzFinCombo(k), 0.0);
                EXPECT_EQ(b.getXVZcero(k), -1);
            } else {
                EXPECT_NEAR(b.getFzIniCombo(k), qz, 1e-12 * w);
                EXPECT_NEAR(b.getXVZcero(k), 5 * L / 8, 1e-9 * L);
                EXPECT_NEAR(b.getMzmax(k), -9 * qz * L * L / 128, 1e-9 * w * L * L);
            }
            EXPECT_NEAR(b.getFyIniCombo(k), qy, 1e-12 * w);
            EXPECT_NEAR(b.getXVYcero(k), 5 * L / 8, 1e-9 * L);
            EXPECT_NEAR(b.getMymax(k), -9 * qy * L * L / 128, 1e-9 * w * L * L);
            if (c.j.z() == 0) {
                EXPECT_EQ(b.getFxIniCombo(k), 0.0);  // horizontal: sin carga axial
            }
        }
    }
}

// Desplazamiento transversal relativo de una barra empotrada con carga
// triangular: corte sin ceros (discriminante negativo) y momentos en los
// extremos de libro
TEST(BarraResultados, DiscriminanteNegativoYDesplazamientoRelativo)
{
    const double L = 5, E = 2.5e7, bs = 0.3, hs = 0.6, q0 = 8;
    const double EI = E * bs * hs * hs * hs / 12;
    const double delta = -(23.0 / 20) * q0 * std::pow(L, 4) / (12 * EI);
    objBarra3d b = vigaX(L);
    b.setDistribuidaLocalY("D", 0, q0);
    b.setCombo("C", 1, "D");
    MatrixXd U = MatrixXd::Zero(12, 1);
    U(8, 0) = delta;  // local y de la barra en +X es Z global
    analizar(b, U);
    MatrixXd V = b.getSolicitacionVy(0, 21);
    for (int k = 0; k < 21; k++) {
        double x = L * k / 20.0;
        EXPECT_NEAR(V(1, k), q0 * L + q0 * x * x / (2 * L), 1e-9 * q0 * L);
    }
    // empotramiento de la carga triangular (q0·L²/30 y q0·L²/20) más el del
    // desplazamiento relativo (∓6·E·I·δ/L²)
    MatrixXd M = b.getSolicitacionMy(0, 21);
    EXPECT_NEAR(M(1, 0), 6 * EI * delta / (L * L) + q0 * L * L / 30, 1e-9 * q0 * L * L);
    EXPECT_NEAR(M(1, 20), -6 * EI * delta / (L * L) + q0 * L * L / 20, 1e-9 * q0 * L * L);
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(b.getXVYcero(0), -1);
        EXPECT_EQ(b.getMymax(0), 0.0);
    });
    EXPECT_EQ(salida, "");
    // corte constante no nulo, sin carga: tampoco hay cero
    objBarra3d s = vigaX(L);
    s.setCombo("C", 1, "D");
    analizar(s, U);
    EXPECT_NEAR(s.getSolicitacionVy(0, 2)(1, 1), -12 * EI * delta / (L * L * L), 1e-9);
    EXPECT_EQ(s.getXVYcero(0), -1);
}

// Antes de recibir desplazamientos: vacíos y ceros sin escribir nada, salvo
// la línea del corte nulo en cada llamada
TEST(BarraResultados, AntesDeLosDesplazamientos)
{
    objBarra3d b = vigaX(4);
    b.setDistribuidaLocalY("D", -1, -1);
    b.setCombo("C", 1, "D");
    b.getGdl();
    b.getKGlobal();
    b.getCargasEquivalentesGlobales();
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(b.getFuerzasExtremos().cols(), 0);
        EXPECT_EQ(b.getSolicitacionAxial(0, 21).cols(), 0);
        EXPECT_EQ(b.getSolicitacionTorsion(0, 21).cols(), 0);
        EXPECT_EQ(b.getSolicitacionVy(0, 21).cols(), 0);
        EXPECT_EQ(b.getSolicitacionMy(0, 21).cols(), 0);
        EXPECT_EQ(b.getSolicitacionVz(0, 21).cols(), 0);
        EXPECT_EQ(b.getSolicitacionMz(0, 21).cols(), 0);
        EXPECT_EQ(b.getBarraDeformada(0, 21, 100).cols(), 0);
        EXPECT_EQ(b.getMymax(0), 0.0);
        EXPECT_EQ(b.getMzmax(0), 0.0);
        EXPECT_FALSE(b.getBoolResultados(0));
    });
    EXPECT_EQ(salida, "");
    salida = capturarSalida([&] {
        EXPECT_EQ(b.getXVYcero(0), -1);
        EXPECT_EQ(b.getXVZcero(0), -1);
        EXPECT_EQ(b.getXVYcero(0), -1);
    });
    EXPECT_EQ(salida, kSinConstantes + kSinConstantes + kSinConstantes);
    // Una barra recién construida, sin nada más
    objBarra3d vacia;
    salida = capturarSalida([&] {
        EXPECT_EQ(vacia.getFuerzasExtremos().cols(), 0);
        EXPECT_EQ(vacia.getSolicitacionMz(0, 21).cols(), 0);
        EXPECT_EQ(vacia.getBarraDeformada(0, 21, 1).cols(), 0);
        EXPECT_EQ(vacia.getXVZcero(0), -1);
    });
    EXPECT_EQ(salida, kSinConstantes);
}

// Matrices que no sirven: una línea y nada cambia; combo o estaciones fuera
// de rango dan resultados vacíos
TEST(BarraResultados, DesplazamientosQueNoSirven)
{
    auto nueva = [] {
        objBarra3d b = vigaX(4, 2);
        b.setDistribuidaLocalY("D", -2, -2);
        b.setCombo("C", 1, "D");
        return b;
    };
    const std::string linea = "Desplazamientos no válidos para la barra 7\n";

    // sin gdl pedidos todavía
    objBarra3d sinGdl = nueva();
    sinGdl.getKGlobal();
    std::string salida = capturarSalida([&] { sinGdl.setDesplazamientos(MatrixXd::Zero(18, 1)); });
    EXPECT_EQ(salida, linea);
    EXPECT_FALSE(sinGdl.getBoolResultados(0));
    EXPECT_EQ(capturarSalida([&] { sinGdl.getXVYcero(0); }), kSinConstantes);

    // después de un análisis válido, las matrices que no sirven no cambian nada
    objBarra3d b = nueva();
    MatrixXd U = MatrixXd::Zero(18, 1);
    U(14, 0) = -1e-3;  // nudo 2, Z global = local y
    analizar(b, U);
    MatrixXd S0 = b.getFuerzasExtremos();
    MatrixXd V0 = b.getSolicitacionVy(0, 21);
    MatrixXd D0 = b.getBarraDeformada(0, 21, 10);
    const MatrixXd malas[] = {MatrixXd::Constant(17, 1, 5.0), MatrixXd::Constant(18, 2, 5.0),
                              MatrixXd::Constant(18, 0, 5.0), MatrixXd()};
    for (const MatrixXd& M : malas) {
        SCOPED_TRACE(testing::Message() << M.rows() << " x " << M.cols());
        salida = capturarSalida([&] { b.setDesplazamientos(M); });
        EXPECT_EQ(salida, linea);
        EXPECT_EQ(b.getFuerzasExtremos(), S0);
        EXPECT_EQ(b.getSolicitacionVy(0, 21), V0);
        EXPECT_EQ(b.getBarraDeformada(0, 21, 10), D0);
    }

    // combo y estaciones fuera de rango
    salida = capturarSalida([&] {
        for (int c : {-1, 1, 1000}) {
            EXPECT_EQ(b.getSolicitacionAxial(c, 21).cols(), 0);
            EXPECT_EQ(b.getSolicitacionTorsion(c, 21).cols(), 0);
            EXPECT_EQ(b.getSolicitacionVy(c, 21).cols(), 0);
            EXPECT_EQ(b.getSolicitacionMz(c, 21).cols(), 0);
            EXPECT_EQ(b.getBarraDeformada(c, 21, 1).cols(), 0);
            EXPECT_EQ(b.getXVYcero(c), -1);
            EXPECT_EQ(b.getMzmax(c), 0.0);
        }
        for (int n : {1, 0, -3}) {
            EXPECT_EQ(b.getSolicitacionMy(0, n).cols(), 0);
            EXPECT_EQ(b.getSolicitacionAxial(0, n).cols(), 0);
            EXPECT_EQ(b.getBarraDeformada(0, n, 1).cols(), 0);
        }
    });
    EXPECT_EQ(salida, "");
}

// Modelo sin combos: nada que calcular, sin mensajes; y un segundo análisis
// da lo mismo sin recalcular las fuerzas en extremos
TEST(BarraResultados, SinCombosYAnalisisRepetido)
{
    objBarra3d s = vigaX(4);
    std::string salida = capturarSalida([&] { analizar(s, MatrixXd::Zero(12, 0)); });
    EXPECT_EQ(salida, "");
    salida = capturarSalida([&] {
        EXPECT_EQ(s.getXVYcero(0), -1);  // ya recibió desplazamientos: sin línea
        EXPECT_FALSE(s.getBoolResultados(0));
        EXPECT_EQ(s.getSolicitacionVy(0, 21).cols(), 0);
    });
    EXPECT_EQ(salida, "");

    objBarra3d b = vigaX(4);
    b.setDistribuidaLocalY("D", -2, -2);
    b.setDistribuidaLocalX("D", 1, 1);
    b.setCombo("C1", 1, "D");
    b.setCombo("C2", -3, "D");
    MatrixXd U = MatrixXd::Zero(12, 2);
    U(8, 0) = -1e-4;
    U(6, 1) = 2e-5;
    analizar(b, U);
    MatrixXd S = b.getFuerzasExtremos();
    MatrixXd My[2] = {b.getSolicitacionMy(0, 21), b.getSolicitacionMy(1, 21)};
    MatrixXd D[2] = {b.getBarraDeformada(0, 21, 7), b.getBarraDeformada(1, 21, 7)};
    double x0[2] = {b.getXVYcero(0), b.getXVYcero(1)};
    analizar(b, U);
    EXPECT_EQ(b.getFuerzasExtremos(), S);
    for (int c = 0; c < 2; c++) {
        EXPECT_EQ(b.getSolicitacionMy(c, 21), My[c]);
        EXPECT_EQ(b.getBarraDeformada(c, 21, 7), D[c]);
        EXPECT_EQ(b.getXVYcero(c), x0[c]);
    }
    // las fuerzas en extremos quedan como se calcularon la primera vez
    analizar(b, 2 * U);
    EXPECT_EQ(b.getFuerzasExtremos(), S);
}

// Estaciones: L/(n-1) de separación y la última exactamente L
TEST(BarraResultados, Estaciones)
{
    // longitudes en las que (L/20)·20 no vuelve a dar L en doble precisión
    for (double L : {55.722111139402962, 0.7, 3.0}) {
        SCOPED_TRACE(L);
        objBarra3d b = vigaX(L);
        ASSERT_EQ(b.getLongitud(), L);
        b.setCombo("C", 1, "D");
        analizar(b, MatrixXd::Zero(12, 1));
        for (int n : {2, 21, 50}) {
            MatrixXd R[] = {b.getSolicitacionAxial(0, n), b.getSolicitacionTorsion(0, n),
                            b.getSolicitacionVy(0, n),    b.getSolicitacionMy(0, n),
                            b.getSolicitacionVz(0, n),    b.getSolicitacionMz(0, n),
                            b.getBarraDeformada(0, n, 0)};
            for (const MatrixXd& r : R) {
                ASSERT_EQ(r.cols(), n);
                EXPECT_EQ(r(0, 0), 0.0);
                EXPECT_EQ(r(0, n - 1), L);
                for (int k = 1; k < n; k++) {
                    EXPECT_NEAR(r(0, k) - r(0, k - 1), L / (n - 1), 1e-14 * L);
                }
            }
        }
    }
}

}  // namespace
