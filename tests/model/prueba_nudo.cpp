// Nudo: numeración de gdl, apoyos, combos y resultados por combo.
#include <gtest/gtest.h>

#include "comun/utilidades.h"
#include "model/objNudo3d.h"

namespace {

const char* mensajeDesplazamientos =
    "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de "
    "Datos\n";
const char* mensajeReacciones =
    "La cantidad de combos de reacciones no es igual a la cantidad de combos en Ingreso de Datos\n";

TEST(Nudo, NumerosDeGdlYApoyos)
{
    struct Caso {
        int interno;
        int primero;
    };
    for (Caso c : {Caso{0, 1}, Caso{3, 19}, Caso{10, 61}}) {
        objNudo3d n;
        n.setNoNudoInterno(c.interno);
        VectorXi g = n.getGdl();
        ASSERT_EQ(g.size(), 6);
        for (int k = 0; k < 6; k++) EXPECT_EQ(g(k), c.primero + k) << "interno " << c.interno;
        EXPECT_EQ(n.getNoNudoInterno(), c.interno);
    }

    objNudo3d n;
    EXPECT_EQ(n.getApoyo(), VectorXi::Zero(6));
    EXPECT_EQ(n.getCantidadDeCombos(), 0);
    EXPECT_EQ(n.getCargasCombo().size(), 0);
    EXPECT_EQ(n.getCantidadDeResultados(), 0);
    n.setApoyo(1, 1, 1, 0, 0, 0);
    n.setApoyo(0, 1, 2, 0, 1, 0);
    VectorXi esperado(6);
    esperado << 0, 1, 2, 0, 1, 0;
    EXPECT_EQ(n.getApoyo(), esperado);
    EXPECT_EQ(n.getVectorApoyo(), esperado);

    n.setNoNudoUsuario(42);
    n.setCoordenadas(1.5, -2, 3.25);
    EXPECT_EQ(n.getNoNudoUsuario(), 42);
    EXPECT_EQ(n.getX(), 1.5);
    EXPECT_EQ(n.getY(), -2);
    EXPECT_EQ(n.getZ(), 3.25);
}

TEST(Nudo, CombosSumanCasosEnColumnas)
{
    objNudo3d n;
    n.setNoNudoInterno(0);
    n.setCargaPuntual("D", 1, 0, 0, 0, 0, 0);
    n.setCargaPuntual("L", 0, -3, 0, 0.5, 0, 0);
    n.setCargaPuntual("D", 2, 0, 0, 0, 0, 7);
    n.setCombo("C1", 1.5, "D");  // dos filas del caso D
    n.setCombo("C2", 1.2, "W");  // caso que el nudo no tiene: columna de ceros
    n.setCombo("C3", 1, "D");
    n.setCombo("C3", 2, "L");  // mismo nombre: se suma en la misma columna

    ASSERT_EQ(n.getCantidadDeCombos(), 3);
    EXPECT_EQ(n.getNombreCombo(0), "C1");
    EXPECT_EQ(n.getNombreCombo(1), "C2");
    EXPECT_EQ(n.getNombreCombo(2), "C3");
    MatrixXd esperado(6, 3);
    esperado << 4.5, 0, 3,  //
        0, 0, -6,           //
        0, 0, 0,            //
        0, 0, 1,            //
        0, 0, 0,            //
        10.5, 0, 7;
    EXPECT_EQ(n.getCargasCombo(), esperado);

    struct Getter {
        double (objNudo3d::*f)(int);
        int fila;
    };
    const Getter getters[] = {{&objNudo3d::getPxCombo, 0}, {&objNudo3d::getPyCombo, 1},
                              {&objNudo3d::getPzCombo, 2}, {&objNudo3d::getMxCombo, 3},
                              {&objNudo3d::getMyCombo, 4}, {&objNudo3d::getMzCombo, 5}};
    for (const Getter& g : getters) {
        for (int c = 0; c < 3; c++) EXPECT_EQ((n.*g.f)(c), esperado(g.fila, c));
        // fuera de la tabla: 0
        EXPECT_EQ((n.*g.f)(-1), 0.0);
        EXPECT_EQ((n.*g.f)(3), 0.0);
    }

    EXPECT_EQ(n.getNumeroDeCombo("C1"), 0);
    EXPECT_EQ(n.getNumeroDeCombo("C3"), 2);
    EXPECT_EQ(n.getNumeroDeCombo("c1"), -1);
    EXPECT_EQ(n.getNumeroDeCombo("C1 "), -1);
    EXPECT_EQ(n.getNombreCombo(3), "");
}

// Nudo interno 2 con tres combos: toma las filas 12 a 17 de la matriz
TEST(Nudo, ResultadosTomanSusFilas)
{
    objNudo3d n;
    n.setNoNudoInterno(2);
    for (const char* c : {"A", "B", "C"}) n.setCombo(c, 1, "D");
    EXPECT_EQ(n.getDesplazamientoX(0), 0.0);  // antes del análisis
    MatrixXd U(18, 3), R(18, 3);
    for (int f = 0; f < 18; f++)
        for (int c = 0; c < 3; c++) {
            U(f, c) = 100 * f + c;
            R(f, c) = -(100 * f + c) - 0.5;
        }
    std::string salida = capturarSalida([&] {
        n.setDesplazamientos(U);
        n.setReacciones(R);
    });
    EXPECT_EQ(salida, "");
    EXPECT_EQ(n.getCantidadDeResultados(), 3);

    struct Getter {
        double (objNudo3d::*f)(int);
        int fila;
        bool reaccion;
    };
    const Getter getters[] = {
        {&objNudo3d::getDesplazamientoX, 0, false}, {&objNudo3d::getDesplazamientoY, 1, false},
        {&objNudo3d::getDesplazamientoZ, 2, false}, {&objNudo3d::getGiroX, 3, false},
        {&objNudo3d::getGiroY, 4, false},           {&objNudo3d::getGiroZ, 5, false},
        {&objNudo3d::getReaccionRx, 0, true},       {&objNudo3d::getReaccionRy, 1, true},
        {&objNudo3d::getReaccionRz, 2, true},       {&objNudo3d::getReaccionMx, 3, true},
        {&objNudo3d::getReaccionMy, 4, true},       {&objNudo3d::getReaccionMz, 5, true}};
    for (const Getter& g : getters) {
        for (int c = 0; c < 3; c++) {
            const MatrixXd& M = g.reaccion ? R : U;
            EXPECT_EQ((n.*g.f)(c), M(12 + g.fila, c));
        }
        EXPECT_EQ((n.*g.f)(3), 0.0);
        EXPECT_EQ((n.*g.f)(-1), 0.0);
    }

    // Otra cantidad de columnas: el mensaje, y la tabla anterior queda
    MatrixXd U2 = MatrixXd::Constant(18, 2, 9.0);
    salida = capturarSalida([&] { n.setDesplazamientos(U2); });
    EXPECT_EQ(salida, mensajeDesplazamientos);
    salida = capturarSalida([&] { n.setReacciones(U2); });
    EXPECT_EQ(salida, mensajeReacciones);
    EXPECT_EQ(n.getDesplazamientoX(2), U(12, 2));
    EXPECT_EQ(n.getReaccionMz(1), R(17, 1));
    EXPECT_EQ(n.getCantidadDeResultados(), 3);
}

TEST(Nudo, ResultadosSinCombosPrevios)
{
    // Primer análisis con columnas de más: mensaje y las tablas siguen vacías
    objNudo3d n;
    n.setNoNudoInterno(0);
    n.setCombo("A", 1, "D");
    std::string salida = capturarSalida([&] {
        n.setDesplazamientos(MatrixXd::Zero(6, 2));
        n.setReacciones(MatrixXd::Zero(6, 0));
    });
    EXPECT_EQ(salida, std::string(mensajeDesplazamientos) + mensajeReacciones);
    EXPECT_EQ(n.getCantidadDeResultados(), 0);
    EXPECT_EQ(n.getGiroZ(0), 0.0);
    EXPECT_EQ(n.getReaccionRx(0), 0.0);
}

TEST(Nudo, SeMueveConTodosSusDatos)
{
    std::vector<objNudo3d> v(1);
    v[0].setNoNudoInterno(1);
    v[0].setCargaPuntual("D", 0, 0, -5, 0, 0, 0);
    v[0].setCombo("C", 2, "D");
    v.resize(50);  // reubica los nudos moviéndolos
    EXPECT_EQ(v[0].getGdl()(0), 7);
    EXPECT_EQ(v[0].getPzCombo(0), -10);
    EXPECT_EQ(v[0].getNombreCombo(0), "C");
}

}  // namespace
