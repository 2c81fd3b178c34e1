// Los ejemplos cargados desde su archivo se analizan sin ventana: equilibrio
// global de cada combo, y voladizo, pórtico y viga continua contra sus
// fórmulas cerradas.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "input/funcionLeerArchivo.h"

namespace
{

using Eigen::Vector3d;

} // namespace

TEST(EjemplosAnalisis, EquilibrioGlobalDeCadaCombo)
{
    for (const char* archivo : {"ingresoDatos.txt", "porticoCompleto.txt", "voladizo.txt",
                                "porticoSimple.txt", "vigaContinua.txt"}) {
        ASSERT_TRUE(cargarYResolver(archivo)) << archivo << ": " << mensajeAnalisis;
        for (int c = 0; c < noCombos; c++) {
            // resultante de cargas y reacciones respecto del origen
            Vector3d fuerza = Vector3d::Zero(), momento = Vector3d::Zero();
            double escala = 0;
            for (objNudo3d& n : nudo) {
                Vector3d r(n.getX(), n.getY(), n.getZ());
                Vector3d p(n.getPxCombo(c), n.getPyCombo(c), n.getPzCombo(c));
                Vector3d m(n.getMxCombo(c), n.getMyCombo(c), n.getMzCombo(c));
                Vector3d rf(n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c));
                Vector3d rm(n.getReaccionMx(c), n.getReaccionMy(c), n.getReaccionMz(c));
                fuerza += p + rf;
                momento += m + rm + r.cross(p + rf);
                escala += p.norm() + rf.norm();
            }
            for (objBarra3d& b : barra) {
                // filas de R: ejes locales en coordenadas globales
                Eigen::Matrix3d R = b.getT().block<3, 3>(0, 0);
                Vector3d pi(b.getXi(), b.getYi(), b.getZi());
                Vector3d pj(b.getXf(), b.getYf(), b.getZf());
                double L = b.getLongitud();
                Vector3d qI(b.getFxIniCombo(c), b.getFyIniCombo(c), b.getFzIniCombo(c));
                Vector3d qF(b.getFxFinCombo(c), b.getFyFinCombo(c), b.getFzFinCombo(c));
                // Simpson: exacto para la carga lineal y el momento cuadrático
                Vector3d q0 = R.transpose() * qI, q1 = R.transpose() * qF;
                Vector3d qm = (q0 + q1) / 2, pm = (pi + pj) / 2;
                fuerza += L * qm;
                momento += L / 6 * (pi.cross(q0) + 4 * pm.cross(qm) + pj.cross(q1));
                momento += R.transpose() * Vector3d(b.getTCombo(c) * L, 0, 0);
                escala += L * (q0.norm() + q1.norm());
            }
            EXPECT_LT(fuerza.norm(), 1e-8 * escala) << archivo << " combo " << c;
            EXPECT_LT(momento.norm(), 1e-7 * escala) << archivo << " combo " << c;
        }
    }
}

TEST(EjemplosAnalisis, VoladizoConCargaEnLaPunta)
{
    ASSERT_TRUE(cargarYResolver("voladizo.txt")) << mensajeAnalisis;
    // P = 10 en la punta, L = 3, E = 2e8, la flexión vertical usa Iz = 1e-4
    double P = 10, L = 3, E = 2e8, I = 1e-4;
    EXPECT_NEAR(nudo[1].getDesplazamientoZ(0), -P * L * L * L / (3 * E * I), 1e-12);
    EXPECT_NEAR(nudo[1].getGiroY(0), P * L * L / (2 * E * I), 1e-12);
    EXPECT_NEAR(nudo[0].getReaccionRz(0), P, 1e-9);
    EXPECT_NEAR(nudo[0].getReaccionMy(0), -P * L, 1e-9);
}

TEST(EjemplosAnalisis, PorticoEmpotradoConCargaHorizontal)
{
    ASSERT_TRUE(cargarYResolver("porticoSimple.txt")) << mensajeAnalisis;
    ASSERT_EQ(noCombos, 3);
    // pilares de alto h y viga de luz L, mismo EI, área grande para que el
    // acortamiento axial no cuente; H en la esquina 2.
    // Con k = (I/L)/(I/h): momento en la base Hh/2 (3k+1)/(6k+1) y
    // desplazamiento lateral H h^3 (3k+2) / (12 EI (6k+1))
    double H = 20, h = 4, L = 6, E = 2e8, I = 2e-4, k = h / L;
    double mBase = H * h / 2 * (3 * k + 1) / (6 * k + 1);
    double delta = H * h * h * h * (3 * k + 2) / (12 * E * I * (6 * k + 1));
    // reacción vertical del par: (Hh - 2 mBase) / L
    double v = (H * h - 2 * mBase) / L;
    struct esperado {
        int combo;
        double factorH, factorG;
    };
    for (const esperado& e : {esperado{0, 1, 0}, esperado{1, 0, 1}, esperado{2, 1.5, 1.2}}) {
        double G = 50 * e.factorG;
        double tol = 1e-6 * (H + G);
        objNudo3d& a = nudo[0];
        objNudo3d& d = nudo[3];
        EXPECT_NEAR(a.getReaccionRx(e.combo), -H / 2 * e.factorH, tol) << e.combo;
        EXPECT_NEAR(d.getReaccionRx(e.combo), -H / 2 * e.factorH, tol) << e.combo;
        EXPECT_NEAR(a.getReaccionRz(e.combo), G - v * e.factorH, tol) << e.combo;
        EXPECT_NEAR(d.getReaccionRz(e.combo), G + v * e.factorH, tol) << e.combo;
        EXPECT_NEAR(a.getReaccionMy(e.combo), -mBase * e.factorH, tol) << e.combo;
        EXPECT_NEAR(d.getReaccionMy(e.combo), -mBase * e.factorH, tol) << e.combo;
        EXPECT_NEAR(nudo[1].getDesplazamientoX(e.combo), delta * e.factorH, 1e-6 * delta)
            << e.combo;
        EXPECT_NEAR(nudo[2].getDesplazamientoX(e.combo), delta * e.factorH, 1e-6 * delta)
            << e.combo;
    }
}

TEST(EjemplosAnalisis, VigaContinuaDeDosTramos)
{
    ASSERT_TRUE(cargarYResolver("vigaContinua.txt")) << mensajeAnalisis;
    ASSERT_EQ(noCombos, 2);
    // dos tramos iguales con carga uniforme: reacciones 3/8 qL, 10/8 qL, 3/8 qL
    // y giro en los extremos q L^3 / (48 EI)
    double q = 12, L = 5, E = 2.5e7, I = 0.3 * 0.5 * 0.5 * 0.5 / 12;
    double giro = q * L * L * L / (48 * E * I);
    for (int c = 0; c < 2; c++) {
        double f = c == 0 ? 1 : 1.4;
        EXPECT_NEAR(nudo[0].getReaccionRz(c), 3.0 / 8 * q * L * f, 1e-9) << c;
        EXPECT_NEAR(nudo[1].getReaccionRz(c), 10.0 / 8 * q * L * f, 1e-9) << c;
        EXPECT_NEAR(nudo[2].getReaccionRz(c), 3.0 / 8 * q * L * f, 1e-9) << c;
        EXPECT_NEAR(nudo[0].getGiroY(c), giro * f, 1e-9 * giro) << c;
        EXPECT_NEAR(nudo[1].getGiroY(c), 0, 1e-9 * giro) << c;
        EXPECT_NEAR(nudo[2].getGiroY(c), -giro * f, 1e-9 * giro) << c;
        EXPECT_NEAR(nudo[0].getReaccionRx(c), 0, 1e-9) << c;
    }
}
