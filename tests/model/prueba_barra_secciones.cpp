// Barra: constantes y contornos de las secciones, material.
#include <cmath>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "ayuda_barra.h"
#include "comun/utilidades.h"

namespace {

// Contorno esperado como lista de puntos (z, y)
void esperarContorno(const MatrixXd& p, const std::vector<std::pair<double, double>>& puntos,
                     double tol)
{
    ASSERT_EQ(p.rows(), 2);
    ASSERT_EQ(p.cols(), static_cast<Eigen::Index>(puntos.size()));
    for (size_t k = 0; k < puntos.size(); k++) {
        EXPECT_NEAR(p(0, k), puntos[k].first, tol) << "punto " << k << " z";
        EXPECT_NEAR(p(1, k), puntos[k].second, tol) << "punto " << k << " y";
    }
}

// Valores de los ejemplos resueltos (cuatro cifras) y, donde hay fórmula
// exacta independiente, contra ella
TEST(BarraSecciones, ConstantesDeLosEjemplos)
{
    struct Caso {
        const char* nombre;
        std::function<void(objBarra3d&)> poner;
        int codigo;
        double area, Iy, Iz, J;
        double tolRel;
    };
    // Sección I por rectángulos y Steiner
    const double bf = 0.2, tf = 0.01, d = 0.3, tw = 0.006, hw = d - 2 * tf;
    const double IzI = tw * std::pow(hw, 3) / 12
                       + 2 * (bf * std::pow(tf, 3) / 12 + bf * tf * std::pow((d - tf) / 2, 2));
    const double IyI = 2 * tf * std::pow(bf, 3) / 12 + hw * std::pow(tw, 3) / 12;
    const Caso casos[] = {
        {"rectangular 0.2x0.4", [](objBarra3d& b) { b.setSeccionRectangular(0.2, 0.4); }, 1,
         0.08, 2.667e-4, 1.067e-3, 7.324e-4, 5e-4},
        {"rectangular 0.4x0.2", [](objBarra3d& b) { b.setSeccionRectangular(0.4, 0.2); }, 1,
         0.08, 1.067e-3, 2.667e-4, 7.324e-4, 5e-4},
        {"cuadrada 0.3", [](objBarra3d& b) { b.setSeccionRectangular(0.3, 0.3); }, 1, 0.09,
         6.75e-4, 6.75e-4, 1.141e-3, 5e-4},
        {"placa 0.2x0.4", [](objBarra3d& b) { b.setSeccionPlaca(0.2, 0.4); }, 4, 0.08, 2.667e-4,
         1.067e-3, 7.324e-4, 5e-4},
        {"W exacta", [](objBarra3d& b) { b.setSeccionW(0.2, 0.01, 0.3, 0.006); }, 3, 5.68e-3,
         IyI, IzI, 4.6264e-7 / 3, 1e-12},
        {"W ejemplo", [](objBarra3d& b) { b.setSeccionW(0.2, 0.01, 0.3, 0.006); }, 3, 5.68e-3,
         1.334e-5, 9.511e-5, 1.542e-7, 5e-4},
        {"costanera", [](objBarra3d& b) { b.setSeccionCostanera(50, 100, 15, 2, 3); }, 2, 433.7,
         1.498e5, 6.924e5, 578.3, 5e-4},
        {"genérica", [](objBarra3d& b) { b.setSeccionGenerica(0.01, 2e-5, 3e-5, 4e-6); }, 0, 0.01,
         2e-5, 3e-5, 4e-6, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra3d b = ayuda::barraEntre(0, 0, 0, 4, 0, 0);
        EXPECT_EQ(b.getCodigoSeccion(), -1);
        c.poner(b);
        EXPECT_EQ(b.getCodigoSeccion(), c.codigo);
        EXPECT_NEAR(b.getArea(), c.area, c.tolRel * c.area + 1e-18);
        EXPECT_NEAR(b.getIy(), c.Iy, c.tolRel * c.Iy + 1e-18);
        EXPECT_NEAR(b.getIz(), c.Iz, c.tolRel * c.Iz + 1e-18);
        EXPECT_NEAR(b.getModJ(), c.J, c.tolRel * c.J + 1e-18);
    }
}

TEST(BarraSecciones, Contornos)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 4, 0, 0);
    EXPECT_EQ(b.getPerimetroSeccion().size(), 0);

    b.setSeccionRectangular(0.2, 0.4);
    esperarContorno(b.getPerimetroSeccion(),
                    {{-0.1, -0.2}, {0.1, -0.2}, {0.1, 0.2}, {-0.1, 0.2}, {-0.1, -0.2}}, 1e-15);
    MatrixXd rect = b.getPerimetroSeccion();
    b.setSeccionPlaca(0.2, 0.4);
    EXPECT_EQ(b.getPerimetroSeccion(), rect);

    b.setSeccionW(0.2, 0.01, 0.3, 0.006);
    MatrixXd w = b.getPerimetroSeccion();
    esperarContorno(w,
                    {{0.003, 0.14},
                     {0.1, 0.14},
                     {0.1, 0.15},
                     {-0.1, 0.15},
                     {-0.1, 0.14},
                     {-0.003, 0.14},
                     {-0.003, -0.14},
                     {-0.1, -0.14},
                     {-0.1, -0.15},
                     {0.1, -0.15},
                     {0.1, -0.14},
                     {0.003, -0.14},
                     {0.003, 0.14}},
                    1e-15);
    EXPECT_EQ(w.col(0), w.col(12));

    b.setSeccionCostanera(50, 100, 15, 2, 3);
    esperarContorno(b.getPerimetroSeccion(),
                    {{33.75, 35}, {33.75, 50}, {-16.25, 50}, {-16.25, -50}, {33.75, -50},
                     {33.75, -35}},
                    0.005);

    // Símbolo fijo de la genérica, escalado con la longitud (4)
    b.setSeccionGenerica(1, 1, 1, 1);
    esperarContorno(b.getPerimetroSeccion(),
                    {{0.1, 0.15}, {-0.1, 0.15}, {-0.1, -0.15}, {0.1, -0.15}, {0.1, -0.075},
                     {0.05, -0.075}},
                    1e-15);
}

// Cada setter deja el estado completo de su tipo: una placa y después otro
// tipo es ese tipo solo (sin el corte de la placa), en rigidez, cargas
// equivalentes, constantes, código y contorno; y al revés, la placa al final
// es la placa sola.
TEST(BarraSecciones, CadaTipoDejaSuEstadoCompleto)
{
    typedef void (*Setter)(objBarra3d&);
    struct Tipo {
        const char* nombre;
        Setter poner;
    };
    const Tipo tipos[] = {
        {"genérica",
         [](objBarra3d& b) { b.setSeccionGenerica(0.08, 2.667e-4, 1.067e-3, 7.3e-4); }},
        {"rectangular", [](objBarra3d& b) { b.setSeccionRectangular(0.2, 0.4); }},
        {"costanera", [](objBarra3d& b) { b.setSeccionCostanera(0.05, 0.1, 0.015, 0.002, 0.003); }},
        {"W", [](objBarra3d& b) { b.setSeccionW(0.2, 0.01, 0.3, 0.006); }},
        {"placa", [](objBarra3d& b) { b.setSeccionPlaca(0.3, 0.6); }},
    };
    auto armar = [](const std::vector<Setter>& setters) {
        objBarra3d b = ayuda::barraEntre(0, 0, 0, 1.2, 0, 0);
        for (Setter s : setters) s(b);
        b.setModuloEyPoisson(2e7, 0.25);
        b.setArticulacion(1, 0.5, 0.7, 1);
        b.setDistribuidaLocalY("D", 0, -10);
        b.setDistribuidaLocalZ("D", 3, 3);
        b.setCombo("C", 1, "D");
        return b;
    };
    auto placa = [](objBarra3d& b) { b.setSeccionPlaca(0.2, 0.4); };
    for (const Tipo& t : tipos) {
        SCOPED_TRACE(t.nombre);
        objBarra3d solo = armar({t.poner}), despues = armar({placa, t.poner});
        EXPECT_EQ(despues.getKLocal(), solo.getKLocal());
        EXPECT_EQ(despues.getCargasEquivalentesLocales(), solo.getCargasEquivalentesLocales());
        EXPECT_EQ(despues.getCodigoSeccion(), solo.getCodigoSeccion());
        EXPECT_EQ(despues.getArea(), solo.getArea());
        EXPECT_EQ(despues.getIy(), solo.getIy());
        EXPECT_EQ(despues.getIz(), solo.getIz());
        EXPECT_EQ(despues.getModJ(), solo.getModJ());
        EXPECT_EQ(despues.getPerimetroSeccion(), solo.getPerimetroSeccion());
        // el tipo y después la placa: la placa sola
        objBarra3d placaSola = armar({placa}), placaAlFinal = armar({t.poner, placa});
        EXPECT_EQ(placaAlFinal.getKLocal(), placaSola.getKLocal());
        EXPECT_EQ(placaAlFinal.getCargasEquivalentesLocales(),
                  placaSola.getCargasEquivalentesLocales());
        EXPECT_EQ(placaAlFinal.getCodigoSeccion(), codigoSeccionPlaca);
    }
    // el corte ablanda la placa corta frente al mismo rectángulo
    objBarra3d rect = armar({[](objBarra3d& b) { b.setSeccionRectangular(0.2, 0.4); }});
    objBarra3d pl = armar({placa});
    EXPECT_LT(pl.getKLocal()(1, 1), rect.getKLocal()(1, 1) * 0.9);
}

TEST(BarraSecciones, MaterialYNombre)
{
    objBarra3d b = ayuda::barraEntre(0, 0, 0, 1, 0, 0);
    b.setModuloEyPoisson(2e5, 0.3);
    EXPECT_EQ(b.getModE(), 2e5);
    EXPECT_NEAR(b.getModG(), 2e5 / 2.6, 1e-9);

    EXPECT_FALSE(b.getBoolSeccion());
    std::string nombre = "x";
    std::string salida = capturarSalida([&] {
        nombre = b.getNombreDeSeccion();
        b.getNombreDeSeccion();
    });
    EXPECT_EQ(salida, "Definir el nombre de sección\nDefinir el nombre de sección\n");
    EXPECT_EQ(nombre, "");

    b.setNombreDeSeccion("IPE300");
    EXPECT_TRUE(b.getBoolSeccion());
    salida = capturarSalida([&] { nombre = b.getNombreDeSeccion(); });
    EXPECT_EQ(salida, "");
    EXPECT_EQ(nombre, "IPE300");
}

}  // namespace
