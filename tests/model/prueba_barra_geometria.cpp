// Barra: longitud, ángulos, ejes locales, T, gdl y banderas.
#include <cmath>

#include <gtest/gtest.h>

#include "ayuda_barra.h"
#include "comun/utilidades.h"

namespace {

const double pi = 3.141592653589793;

// Filas del bloque diagonal de T: ejes locales en coordenadas globales
Matrix3d ejesLocales(objBarra3d& b)
{
    MatrixXd T = b.getT();
    return T.block<3, 3>(0, 0);
}

TEST(BarraGeometria, AngulosYEjesLocalesCalculadosAMano)
{
    const double s5 = std::sqrt(5.0), c30 = std::sqrt(3.0) / 2;
    struct Caso {
        const char* nombre;
        double xi, yi, zi, xf, yf, zf;
        double rotacion;  // grados; NAN sin rotar
        double L, beta, gamma;
        Vector3d ex, ey, ez;
    };
    const Caso casos[] = {
        {"horizontal +X", 0, 0, 0, 2, 0, 0, NAN, 2, 0, 0, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {"horizontal -X", 0, 0, 0, -2, 0, 0, NAN, 2, 0, pi, {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {"plano (3,4,0)", 0, 0, 0, 3, 4, 0, NAN, 5, 0, std::acos(0.6), {0.6, 0.8, 0}, {0, 0, 1},
         {0.8, -0.6, 0}},
        {"plano (3,-4,0)", 0, 0, 0, 3, -4, 0, NAN, 5, 0, -std::acos(0.6), {0.6, -0.8, 0},
         {0, 0, 1}, {-0.8, -0.6, 0}},
        {"vertical arriba", 0, 0, 0, 0, 0, 3, NAN, 3, -pi / 2, 0, {0, 0, 1}, {-1, 0, 0},
         {0, -1, 0}},
        {"vertical abajo", 0, 0, 3, 0, 0, 0, NAN, 3, pi / 2, 0, {0, 0, -1}, {1, 0, 0},
         {0, -1, 0}},
        {"inclinada (5,0,12)", 0, 0, 0, 5, 0, 12, NAN, 13, -std::asin(12.0 / 13), 0,
         {5.0 / 13, 0, 12.0 / 13}, {-12.0 / 13, 0, 5.0 / 13}, {0, -1, 0}},
        {"espacial (1,2,2)", 1, 1, 1, 2, 3, 3, NAN, 3, -std::asin(2.0 / 3), std::acos(1 / s5),
         {1.0 / 3, 2.0 / 3, 2.0 / 3}, Vector3d(-2, -4, 5) / (3 * s5), Vector3d(2, -1, 0) / s5},
        {"rotada 30", 0, 0, 0, 1, 0, 0, 30, 1, 0, 0, {1, 0, 0}, {0, -0.5, c30}, {0, -c30, -0.5}},
        {"vertical rotada 90", 0, 0, 0, 0, 0, 3, 90, 3, -pi / 2, 0, {0, 0, 1}, {0, -1, 0},
         {1, 0, 0}},
        {"inclinada rotada -90", 0, 0, 0, 5, 0, 12, -90, 13, -std::asin(12.0 / 13), 0,
         {5.0 / 13, 0, 12.0 / 13}, {0, 1, 0}, {-12.0 / 13, 0, 5.0 / 13}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b;
        b.resetFlags();
        if (!std::isnan(c.rotacion)) b.setRotacion(c.rotacion);
        b.setNudoInicio(0, c.xi, c.yi, c.zi);
        b.setNudoFinal(1, c.xf, c.yf, c.zf);
        EXPECT_NEAR(b.getLongitud(), c.L, 1e-14);
        EXPECT_NEAR(b.getBeta(), c.beta, 1e-14);
        EXPECT_NEAR(b.getGamma(), c.gamma, 1e-14);
        EXPECT_DOUBLE_EQ(b.getBetaDeg(), 180 * c.beta / pi);
        Matrix3d R = ejesLocales(b);
        EXPECT_LT((R.row(0).transpose() - c.ex).norm(), 1e-14);
        EXPECT_LT((R.row(1).transpose() - c.ey).norm(), 1e-14);
        EXPECT_LT((R.row(2).transpose() - c.ez).norm(), 1e-14);
        // el sistema local es ortonormal y derecho
        EXPECT_LT((R * R.transpose() - Matrix3d::Identity()).norm(), 1e-14);
        EXPECT_NEAR(R.determinant(), 1, 1e-14);
    }
}

TEST(BarraGeometria, AngulosEnGrados)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, -2, 0, 0);
    EXPECT_EQ(b.getGamma(), pi);  // dy exactamente 0 y xi > xf
    EXPECT_EQ(b.getGammaDeg(), 180);
    EXPECT_NEAR(ayuda::barraEntre(0, 0, 0, 3, 4, 0).getGammaDeg(), 53.13010235415598, 1e-12);
    EXPECT_EQ(ayuda::barraEntre(0, 0, 0, 0, 0, 3).getBetaDeg(), -90);
    EXPECT_NEAR(ayuda::barraEntre(0, 0, 0, 5, 0, 12).getBetaDeg(), -67.38013505195957, 1e-12);

    // Sin rotar: alfa = PI/2; la rotación reemplaza, no se acumula
    EXPECT_EQ(b.getAlfa(), pi / 2);
    EXPECT_EQ(b.getAlfaDeg(), 90);
    b.setRotacion(30);
    EXPECT_EQ(b.getAlfaDeg(), 119.99999999999999);
    b.setRotacion(30);
    EXPECT_EQ(b.getAlfaDeg(), 119.99999999999999);
    b.setRotacion(0);
    EXPECT_EQ(b.getAlfaDeg(), 90);
}

TEST(BarraGeometria, GeometriaCuandoEstanLosDosExtremos)
{
    // En cualquier orden: sin longitud hasta el segundo extremo
    for (bool inicioPrimero : {true, false}) {
        objBarra3d b;
        b.resetFlags();
        if (inicioPrimero)
            b.setNudoInicio(0, 0, 0, 0);
        else
            b.setNudoFinal(1, 3, 4, 0);
        EXPECT_EQ(b.getLongitud(), 0);
        b.calcLongitudesAngulos();
        EXPECT_EQ(b.getLongitud(), 0);
        if (inicioPrimero)
            b.setNudoFinal(1, 3, 4, 0);
        else
            b.setNudoInicio(0, 0, 0, 0);
        EXPECT_EQ(b.getLongitud(), 5);
        // Un extremo nuevo se guarda, pero la geometría calculada queda
        b.setNudoFinal(2, 6, 8, 0);
        EXPECT_EQ(b.getXf(), 6);
        EXPECT_EQ(b.getYf(), 8);
        EXPECT_EQ(b.getNudoFinalInterno(), 2);
        EXPECT_EQ(b.getLongitud(), 5);
    }
}

TEST(BarraGeometria, GdlDeLosDosNudos)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 1, 0, 0, 0, 2);
    VectorXi esperado(12);
    esperado << 1, 2, 3, 4, 5, 6, 13, 14, 15, 16, 17, 18;
    std::string salida = capturarSalida([&] { EXPECT_EQ(b.getGdl(), esperado); });
    EXPECT_EQ(salida, "");
    objBarra3d c = ayuda::barraEntre(1, 0, 0, 0, 0, 0, 4, 1);
    esperado << 25, 26, 27, 28, 29, 30, 7, 8, 9, 10, 11, 12;
    EXPECT_EQ(c.getGdl(), esperado);

    // Falta el extremo j: una línea con el número de usuario y doce ceros
    objBarra3d d;
    d.resetFlags();
    d.setNoBarraUsuario(31);
    d.setNudoInicio(3, 0, 0, 0);
    VectorXi g;
    salida = capturarSalida([&] { g = d.getGdl(); });
    EXPECT_EQ(salida, "Definir primero los nudos de la barra 31\n");
    EXPECT_EQ(g, VectorXi::Zero(12));
}

TEST(BarraGeometria, BloquesDeT)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 4, 0, 0);
    MatrixXd T = b.getT();
    ASSERT_EQ(T.rows(), 12);
    ASSERT_EQ(T.cols(), 12);
    Matrix3d bloque;
    bloque << 1, 0, 0, 0, std::cos(pi / 2), 1, 0, -1, std::cos(pi / 2);
    for (int i = 0; i < 4; i++) {
        for (int j = 0; j < 4; j++) {
            Matrix3d B = T.block<3, 3>(3 * i, 3 * j);
            if (i == j)
                EXPECT_EQ(B, bloque) << "bloque " << i;
            else
                EXPECT_EQ(B, Matrix3d::Zero()) << "bloque " << i << "," << j;
        }
    }
    EXPECT_NE(T(4, 4), 0.0);  // cos(PI/2) queda como se calcula
    EXPECT_LT(std::fabs(T(4, 4)), 1e-16);

    // Una rotación después de T cambia alfa pero no T
    b.setRotacion(45);
    EXPECT_EQ(b.getAlfaDeg(), 135);
    b.setSeccionRectangular(0.2, 0.4);
    b.setModuloEyPoisson(2e7, 0.2);
    MatrixXd Kg = b.getKGlobal();
    MatrixXd Kl = b.getKLocal();
    EXPECT_LT(ayuda::difRelativa(Kg, T.transpose() * Kl * T), 1e-15);
}

TEST(BarraGeometria, ResetFlagsBorraTambienLosDatosDeEntrada)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 3, 4, 0);
    b.setNoBarraUsuario(5);
    b.setSeccionRectangular(0.2, 0.4);
    b.setModuloEyPoisson(2e7, 0.2);
    b.setNombreDeSeccion("V20x40");
    EXPECT_EQ(b.getKLocal().rows(), 12);
    b.resetFlags();
    // Los campos quedan, las banderas no
    EXPECT_EQ(b.getLongitud(), 5);
    EXPECT_EQ(b.getArea(), 0.2 * 0.4);
    EXPECT_FALSE(b.getBoolSeccion());
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(b.getGdl(), VectorXi::Zero(12));
        EXPECT_EQ(b.getNombreDeSeccion(), "");
        EXPECT_EQ(b.getKLocal(), MatrixXd::Zero(12, 12));
    });
    EXPECT_EQ(salida,
              "Definir primero los nudos de la barra 5\n"
              "Definir el nombre de sección\n"
              "No están definidas E, poisson, o Sección del Elemento: 5\n");
    // La geometría no se recalcula hasta que estén los dos extremos otra vez
    b.setNudoFinal(1, 6, 8, 0);
    EXPECT_EQ(b.getLongitud(), 5);
    b.setNudoInicio(0, 0, 0, 0);
    EXPECT_EQ(b.getLongitud(), 10);
}

// Elecciones para casos que no tienen sentido geométrico
TEST(BarraGeometria, LongitudCeroYArgumentoAcotado)
{
    objBarra3d b;
    b.resetFlags();
    b.setNoBarraUsuario(12);
    b.setNudoInicio(0, 1, 2, 3);
    std::string salida = capturarSalida([&] { b.setNudoFinal(1, 1, 2, 3); });
    EXPECT_EQ(salida, "La barra 12 tiene longitud cero\n");
    EXPECT_EQ(b.getLongitud(), 0);
    EXPECT_EQ(b.getBeta(), 0);
    EXPECT_EQ(b.getGamma(), 0);
    MatrixXd T = b.getT();
    EXPECT_TRUE(T.allFinite());
    // con sección y material la rigidez es nula, sin infinitos
    b.setSeccionRectangular(0.2, 0.4);
    b.setModuloEyPoisson(2e7, 0.2);
    b.setCombo("C", 1, "D");
    salida = capturarSalida([&] {
        EXPECT_EQ(b.getKGlobal(), MatrixXd::Zero(12, 12));
        EXPECT_TRUE(b.getCargasEquivalentesGlobales().allFinite());
    });
    EXPECT_EQ(salida, "");

    // Casi paralela a X con dy diminuto: |dx|/h pasa de 1 por redondeo
    objBarra3d c = ayuda::barraEntre(0, 0, 0, 1.01, 1e-8, 1.01);
    EXPECT_TRUE(std::isfinite(c.getGamma()));
    EXPECT_NEAR(c.getGamma(), 0, 1e-7);
    Matrix3d R = ejesLocales(c);
    EXPECT_TRUE(R.allFinite());
    EXPECT_LT((R.row(0).transpose() - Vector3d(1.01, 1e-8, 1.01).normalized()).norm(), 1e-7);
}

TEST(BarraGeometria, SeMueveConTodosSusDatos)
{
    std::vector<objBarra3d> v;
    v.push_back(ayuda::barraEntre(0, 0, 0, 3, 4, 0, 2, 5));
    v[0].setDistribuidaLocalY("D", 1, 2);
    v[0].setCombo("C", 1, "D");
    for (int i = 0; i < 40; i++) v.emplace_back();  // reubica moviendo
    EXPECT_EQ(v[0].getLongitud(), 5);
    EXPECT_EQ(v[0].getGdl()(6), 31);
    EXPECT_EQ(v[0].getFyFinCombo(0), 2);
    EXPECT_EQ(v[0].getEtiquetasCombo().size(), 1u);
}

}  // namespace
