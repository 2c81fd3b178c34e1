// Barra: rigidez local con corte y empotramiento parcial, rigidez global.
#include <cmath>

#include <gtest/gtest.h>

#include "ayuda_barra.h"
#include "comun/utilidades.h"

namespace {

using ayuda::difRelativa;

struct Material {
    double E, nu;
    double G() const { return E / (2 * (1 + nu)); }
};

// Rigidez local esperada: axial, torsión y cada plano como viga rígida
// (ménsula con o sin corte) unida a los nudos por resortes condensados.
// En x-z el giro en y es -dw/dx: se cambia el signo de las filas de giro.
MatrixXd rigidezEsperada(double L, const Material& m, double A, double Iy, double Iz, double J,
                         double f, double aY, double bY, double aZ, double bZ)
{
    double E = m.E, G = m.G();
    MatrixXd K = MatrixXd::Zero(12, 12);
    K(0, 0) = K(6, 6) = E * A / L;
    K(0, 6) = K(6, 0) = -E * A / L;
    K(3, 3) = K(9, 9) = G * J / L;
    K(3, 9) = K(9, 3) = -G * J / L;
    Eigen::Vector4d nada = Eigen::Vector4d::Zero();
    Eigen::Matrix4d Ky =
        ayuda::condensarResortes(aY, bY, ayuda::vigaRigida(E, Iz, L, f, G, A), nada, E, Iz, L).K;
    Eigen::Matrix4d Kz =
        ayuda::condensarResortes(aZ, bZ, ayuda::vigaRigida(E, Iy, L, f, G, A), nada, E, Iy, L).K;
    const int gy[4] = {1, 5, 7, 11}, gz[4] = {2, 4, 8, 10};
    const double sz[4] = {1, -1, 1, -1};
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) {
            K(gy[r], gy[c]) = Ky(r, c);
            K(gz[r], gz[c]) = sz[r] * sz[c] * Kz(r, c);
        }
    return K;
}

TEST(BarraRigidez, LocalContraVigaConResortesCondensados)
{
    const Material acero{2.1e8, 0.3}, hormigon{2.5e7, 0.2};
    struct Caso {
        const char* nombre;
        int tipo;  // 0 genérica, 1 rectangular, 4 placa
        double L;
        Material mat;
        double aY, bY, aZ, bZ;
    };
    const Caso casos[] = {
        {"clásica", 0, 3, acero, 1, 1, 1, 1},
        {"rectangular rígida", 1, 4, hormigon, 1, 1, 1, 1},
        {"rótula en j plano y", 1, 4, hormigon, 1, 0, 1, 1},
        {"rótula en i plano z", 1, 4, hormigon, 1, 1, 0, 1},
        {"biarticulada plano y", 1, 4, hormigon, 0, 0, 1, 1},
        {"biarticulada en los dos", 0, 3, acero, 0, 0, 0, 0},
        {"parcial 0.3 y 0.8", 1, 4, hormigon, 0.3, 0.8, 0.8, 0.3},
        {"parcial con rótula", 0, 3, acero, 0.5, 0, 1, 0.25},
        {"placa rígida", 4, 2, hormigon, 1, 1, 1, 1},
        {"placa con rótula", 4, 2, hormigon, 1, 0, 0, 1},
        {"placa parcial", 4, 2, hormigon, 0.3, 0.8, 0.6, 0.1},
        {"placa biarticulada", 4, 2, hormigon, 0, 0, 1, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b = ayuda::barraEntre(0, 0, 0, 0.6 * c.L, 0, 0.8 * c.L);
        double A, Iy, Iz, J, f = 0;
        if (c.tipo == 0) {
            A = 0.01, Iy = 2e-5, Iz = 5e-5, J = 3e-6;
            b.setSeccionGenerica(A, Iy, Iz, J);
        } else {
            // ancho 0.25 según z, alto 0.6 según y
            double bb = 0.25, h = 0.6;
            if (c.tipo == 1) {
                b.setSeccionRectangular(bb, h);
            } else {
                b.setSeccionPlaca(bb, h);
                f = 1.2;
            }
            A = bb * h, Iy = bb * bb * bb * h / 12, Iz = h * h * h * bb / 12;
            J = b.getModJ();  // ya probada aparte
        }
        b.setModuloEyPoisson(c.mat.E, c.mat.nu);
        b.setArticulacion(c.aY, c.bY, c.aZ, c.bZ);
        MatrixXd K = b.getKLocal();
        MatrixXd esperada = rigidezEsperada(c.L, c.mat, A, Iy, Iz, J, f, c.aY, c.bY, c.aZ, c.bZ);
        EXPECT_LT(difRelativa(K, esperada), 1e-12) << "\n" << K << "\n\n" << esperada;
        EXPECT_EQ(K, K.transpose());
        EXPECT_LE((K.array() != 0).count(), 40);
    }
}

// Esquinas de la forma cerrada, en los términos de la viga clásica
TEST(BarraRigidez, ValoresClasicosEnLasEsquinas)
{
    const double L = 2.5, E = 3e7, Iz = 4e-4, Iy = 1e-4;
    objBarra3d b = ayuda::barraEntre(1, 1, 1, 1 + L, 1, 1);
    b.setSeccionGenerica(0.05, Iy, Iz, 2e-4);
    b.setModuloEyPoisson(E, 0.2);
    b.setArticulacion(1, 0, 0, 0);
    MatrixXd K = b.getKLocal();
    EXPECT_NEAR(K(1, 1), 3 * E * Iz / (L * L * L), 1e-9);
    EXPECT_NEAR(K(1, 5), 3 * E * Iz / (L * L), 1e-9);
    EXPECT_NEAR(K(5, 5), 3 * E * Iz / L, 1e-8);
    for (int r : {1, 5, 7, 11}) EXPECT_EQ(K(r, 11), 0.0) << r;
    for (int r : {2, 4, 8, 10})
        for (int c : {2, 4, 8, 10}) EXPECT_EQ(K(r, c), 0.0) << r << "," << c;
    EXPECT_NEAR(K(0, 0), E * 0.05 / L, 1e-6);
    EXPECT_NEAR(K(3, 9), -E / 2.4 * 2e-4 / L, 1e-7);
}

// Placa corta: el giro de una viga con rótula en j contra la energía de
// flexión y corte de la viga de Timoshenko (ML/3EI + f·M/(GAL)), es decir
// 3EI/L / (1 + phi/4). La forma con c = 1/(1+phi) sobre D da otro valor
// y deja a la barra resistiendo un giro de cuerpo rígido.
TEST(BarraRigidez, PlacaConRotulaContraTimoshenko)
{
    const double L = 2, E = 2.5e7, nu = 0.2, bb = 0.2, h = 1.0;
    const double G = E / (2 * (1 + nu)), A = bb * h, I = h * h * h * bb / 12;
    objBarra3d b = ayuda::barraEntre(0, 0, 0, L, 0, 0);
    b.setSeccionPlaca(bb, h);
    b.setModuloEyPoisson(E, nu);
    b.setArticulacion(1, 0, 1, 1);
    MatrixXd K = b.getKLocal();
    double flexibilidad = L / (3 * E * I) + 1.2 / (G * A * L);
    EXPECT_NEAR(K(5, 5) * flexibilidad, 1, 1e-12);

    // Ménsula rígida: flecha en j por carga en j con corte, PL³/3EI + 1.2PL/GA
    Eigen::Matrix2d Kjj;
    Kjj << K(7, 7), K(7, 11), K(11, 7), K(11, 11);
    b = ayuda::barraEntre(0, 0, 0, L, 0, 0);
    b.setSeccionPlaca(bb, h);
    b.setModuloEyPoisson(E, nu);
    K = b.getKLocal();
    Kjj << K(7, 7), K(7, 11), K(11, 7), K(11, 11);
    Eigen::Matrix2d F = Kjj.inverse();
    EXPECT_NEAR(F(0, 0) / (L * L * L / (3 * E * I) + 1.2 * L / (G * A)), 1, 1e-12);
    EXPECT_NEAR(F(0, 1) / (L * L / (2 * E * I)), 1, 1e-12);
    EXPECT_NEAR(F(1, 1) / (L / (E * I)), 1, 1e-12);
}

TEST(BarraRigidez, Articulaciones)
{
    struct Caso {
        double entrada[4];
        double guardado[4];
    };
    const Caso casos[] = {
        {{-0.2, 1.5, 0.5, 1}, {0, 1, 0.5, 1}},
        {{0, 0.3, 2, -7}, {0, 0.3, 1, 0}},
        {{1, 1, 1, 1}, {1, 1, 1, 1}},
    };
    objBarra3d b;
    EXPECT_EQ(b.getArtIniY(), 1.0);
    EXPECT_EQ(b.getArtFinY(), 1.0);
    EXPECT_EQ(b.getArtIniZ(), 1.0);
    EXPECT_EQ(b.getArtFinZ(), 1.0);
    for (const Caso& c : casos) {
        b.setArticulacion(c.entrada[0], c.entrada[1], c.entrada[2], c.entrada[3]);
        EXPECT_EQ(b.getArtIniY(), c.guardado[0]);
        EXPECT_EQ(b.getArtFinY(), c.guardado[1]);
        EXPECT_EQ(b.getArtIniZ(), c.guardado[2]);
        EXPECT_EQ(b.getArtFinZ(), c.guardado[3]);
    }
}

TEST(BarraRigidez, SinMaterialOSeccion)
{
    for (bool conSeccion : {true, false}) {
        objBarra3d b = ayuda::barraEntre(0, 0, 0, 3, 4, 0);
        b.setNoBarraUsuario(23);
        if (conSeccion)
            b.setSeccionRectangular(0.2, 0.3);
        else
            b.setModuloEyPoisson(2e7, 0.2);
        MatrixXd K1, K2, Kg;
        std::string salida = capturarSalida([&] {
            K1 = b.getKLocal();
            K2 = b.getKLocal();
            Kg = b.getKGlobal();
        });
        EXPECT_EQ(salida,
                  "No están definidas E, poisson, o Sección del Elemento: 23\n"
                  "No están definidas E, poisson, o Sección del Elemento: 23\n"
                  "No están definidas E, poisson, o Sección del Elemento: 23\n");
        EXPECT_EQ(K1, MatrixXd::Zero(12, 12));
        EXPECT_EQ(K2, MatrixXd::Zero(12, 12));
        EXPECT_EQ(Kg, MatrixXd::Zero(12, 12));
    }
}

// Una vez calculada, kLocal queda aunque cambien factores, sección o material
TEST(BarraRigidez, LocalSeConservaYGlobalSeRehace)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 3, 4, 0);
    b.setSeccionRectangular(0.2, 0.4);
    b.setModuloEyPoisson(2e7, 0.2);
    MatrixXd K = b.getKLocal();
    MatrixXd Kg = b.getKGlobal();
    b.setArticulacion(0, 0, 0, 0);
    b.setSeccionPlaca(0.5, 0.5);
    b.setModuloEyPoisson(1, 0);
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(b.getKLocal(), K);
        EXPECT_EQ(b.getKGlobal(), Kg);
        EXPECT_EQ(b.getKGlobal(), Kg);
    });
    EXPECT_EQ(salida, "");
}

// Casos sin sentido físico: rigidez finita, sin divisiones 0/0
TEST(BarraRigidez, DatosNulosDanValoresFinitos)
{
    struct Caso {
        const char* nombre;
        double b, h, E;
    };
    for (Caso c : {Caso{"placa sin ancho", 0, 0.4, 2e7}, Caso{"placa sin E", 0.2, 0.4, 0}}) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b = ayuda::barraEntre(0, 0, 0, 3, 0, 0);
        b.setSeccionPlaca(c.b, c.h);
        b.setModuloEyPoisson(c.E, 0.2);
        MatrixXd K = b.getKLocal();
        EXPECT_TRUE(K.allFinite()) << K;
    }
    // Sin extremos: sin longitud, rigidez nula
    objBarra3d b;
    b.resetFlags();
    b.setSeccionRectangular(0.2, 0.4);
    b.setModuloEyPoisson(2e7, 0.2);
    EXPECT_EQ(b.getKLocal(), MatrixXd::Zero(12, 12));
}

// Movimientos de cuerpo rígido no dan fuerzas; estirar y desplazar según
// los ejes locales calculados a mano da las rigideces conocidas.
TEST(BarraRigidez, GlobalDeBarrasInclinadasYRotadas)
{
    struct Caso {
        const char* nombre;
        Vector3d pi, pj;
        double rotacion;
        bool placa;
        double art[4];
    };
    const Caso casos[] = {
        {"plana (3,4,0)", {0, 0, 0}, {3, 4, 0}, 0, false, {1, 1, 1, 1}},
        {"espacial rotada", {1, 1, 1}, {2, 3, 3}, 30, false, {1, 1, 1, 1}},
        {"vertical rotada", {2, 0, 0}, {2, 0, 4}, -60, false, {1, 0, 1, 1}},
        {"placa espacial parcial", {0, 0, 0}, {-1, 2, 2}, 15, true, {0.3, 0.8, 0.5, 0}},
        {"inclinada biarticulada", {0, 0, 0}, {5, 0, 12}, 90, false, {0, 0, 0, 0}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b;
        b.resetFlags();
        b.setRotacion(c.rotacion);
        b.setNudoInicio(0, c.pi(0), c.pi(1), c.pi(2));
        b.setNudoFinal(1, c.pj(0), c.pj(1), c.pj(2));
        if (c.placa)
            b.setSeccionPlaca(0.3, 0.9);
        else
            b.setSeccionRectangular(0.3, 0.5);
        b.setModuloEyPoisson(2.5e7, 0.2);
        b.setArticulacion(c.art[0], c.art[1], c.art[2], c.art[3]);
        MatrixXd K = b.getKGlobal();
        double escala = K.cwiseAbs().maxCoeff();
        Vector3d brazo = c.pj - c.pi;
        for (int k = 0; k < 6; k++) {
            VectorXd uR = VectorXd::Zero(12);
            Vector3d e = Vector3d::Unit(k % 3);
            if (k < 3) {  // traslación
                uR.segment<3>(0) = e;
                uR.segment<3>(6) = e;
            } else {  // giro alrededor del extremo i
                uR.segment<3>(3) = e;
                uR.segment<3>(6) = e.cross(brazo);
                uR.segment<3>(9) = e;
            }
            EXPECT_LT((K * uR).cwiseAbs().maxCoeff(), 1e-11 * escala * brazo.norm()) << "modo " << k;
        }
    }

    // Barra (1,2,2) sin rotar, ejes a mano: x = (1,2,2)/3, y = (-2,-4,5)/(3√5),
    // z = (2,-1,0)/√5
    const double L = 3, E = 2.5e7, bb = 0.3, h = 0.5, A = bb * h;
    const double Iz = h * h * h * bb / 12, Iy = bb * bb * bb * h / 12;
    const Vector3d ex = Vector3d(1, 2, 2) / 3, ey = Vector3d(-2, -4, 5) / (3 * std::sqrt(5.0)),
                   ez = Vector3d(2, -1, 0) / std::sqrt(5.0);
    objBarra3d b = ayuda::barraEntre(1, 1, 1, 2, 3, 3);
    b.setSeccionRectangular(bb, h);
    b.setModuloEyPoisson(E, 0.2);
    MatrixXd K = b.getKGlobal();
    struct Modo {
        Vector3d d;                    // traslación del extremo j
        Vector3d fuerzaJ, momentoI;    // esperados en el extremo j y el i
    };
    const Modo modos[] = {
        {ex, E * A / L * ex, Vector3d::Zero()},
        {ey, 12 * E * Iz / (L * L * L) * ey, 6 * E * Iz / (L * L) * (-ez)},
        {ez, 12 * E * Iy / (L * L * L) * ez, 6 * E * Iy / (L * L) * ey},
    };
    for (const Modo& m : modos) {
        VectorXd uD = VectorXd::Zero(12);
        uD.segment<3>(6) = m.d;
        VectorXd F = K * uD;
        double ref = m.fuerzaJ.norm();
        EXPECT_LT((F.segment<3>(6) - m.fuerzaJ).norm(), 1e-12 * ref);
        EXPECT_LT((F.segment<3>(0) + m.fuerzaJ).norm(), 1e-12 * ref);
        EXPECT_LT((F.segment<3>(3) - m.momentoI).norm(), 1e-11 * ref);
    }
}

}  // namespace
