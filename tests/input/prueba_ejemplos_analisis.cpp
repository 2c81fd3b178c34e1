// Los ejemplos cargados desde su archivo se analizan sin ventana: equilibrio
// global de cada combo y la flecha del voladizo con su fórmula cerrada.
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

bool cargarYResolver(const std::string& archivo)
{
    reiniciarModelo();
    nombreArchivo = std::string(DIR_EJEMPLOS) + "/" + archivo;
    bool resuelto = false;
    capturarSalida([&] {
        funcionLeerArchivo();
        resuelto = funcionSolve();
    });
    return resuelto;
}

} // namespace

TEST(EjemplosAnalisis, EquilibrioGlobalDeCadaCombo)
{
    for (const char* archivo : {"ingresoDatos.txt", "porticoCompleto.txt", "voladizo.txt"}) {
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
