// Orden de los valores fijos de cada clase de bloque: un archivo por clase con
// valores distintos en cada campo, y lo que el nudo o la barra recibió, leído
// con sus getters y comparado con los valores tal como están en el archivo.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "comun/utilidades.h"
#include "input/comunCargador.h"
#include "input/funcionLeerArchivo.h"

namespace
{

// Una barra de 4 a lo largo de +X entre los nudos 1 y 2
const std::string barraEnX = "nudos: 1 0 0 0 2 4 0 0\nbarras: 1 1 2\n";

// Con un giro de 90° en torno a x el eje y local de una barra a lo largo de
// +X, que sin giro apunta a +Z, pasa a −Y, y el z local (sin giro −Y) a −Z.
// Las secciones van con peso propio y ese giro, escritos antes: la carga,
// área por peso específico hacia −Z, queda toda en +z local si la sección y
// el giro se aplicaron antes que el peso propio, aunque estén después en el
// archivo.
const std::string pesoConGiro = "rotacionBarra: 90 1\npesoPropio: PP\ncombo: C 1 PP\n";

// Lo que recibió la barra: su peso propio en el combo C y su material
void verificarPesoYMaterial(double area, double E, double nu, double peso)
{
    objBarra3d& b = barraUsuario(1);
    EXPECT_DOUBLE_EQ(b.getFzIniCombo(0), area * peso);
    EXPECT_DOUBLE_EQ(b.getFzFinCombo(0), area * peso);
    EXPECT_EQ(b.getFxIniCombo(0), 0);
    EXPECT_EQ(b.getFyIniCombo(0), 0);
    EXPECT_EQ(b.getModE(), E);
    EXPECT_DOUBLE_EQ(b.getModG(), E / (2 * (1 + nu)));
    EXPECT_EQ(b.getNombreDeSeccion(), "S");
}

// Extremos del contorno de la sección: mínimo y máximo de z (fila 0) y de y (fila 1)
struct caja {
    double zMin, zMax, yMin, yMax;
};
caja cajaDelContorno()
{
    MatrixXd p = barraUsuario(1).getPerimetroSeccion();
    return {p.row(0).minCoeff(), p.row(0).maxCoeff(), p.row(1).minCoeff(), p.row(1).maxCoeff()};
}

struct casoCampos {
    const char* etiqueta;
    std::string archivo;
    std::function<void()> verificar;
};

}  // namespace

TEST(CargadorCampos, CadaValorLlegaASuCampo)
{
    std::vector<casoCampos> casos;
    // códigos de apoyo: de a uno por vez, cada uno en su grado de libertad
    for (int k = 0; k < 6; k++) {
        std::string codigos;
        for (int j = 0; j < 6; j++) {
            codigos += j == k ? "1 " : "0 ";
        }
        casos.push_back({"apoyo:", barraEnX + "apoyo: " + codigos + "2\n", [k] {
                             VectorXi esperado = VectorXi::Zero(6);
                             esperado(k) = 1;
                             EXPECT_EQ(nudoUsuario(2).getVectorApoyo(), esperado) << k;
                             EXPECT_EQ(nudoUsuario(1).getVectorApoyo(), VectorXi::Zero(6));
                         }});
    }
    casos.insert(
        casos.end(),
        {
            {"puntual:", barraEnX + "puntual: D 1 2 3 4 5 6 2\ncombo: C 1 D\n",
             [] {
                 objNudo3d& n = nudoUsuario(2);
                 EXPECT_EQ(n.getPxCombo(0), 1);
                 EXPECT_EQ(n.getPyCombo(0), 2);
                 EXPECT_EQ(n.getPzCombo(0), 3);
                 EXPECT_EQ(n.getMxCombo(0), 4);
                 EXPECT_EQ(n.getMyCombo(0), 5);
                 EXPECT_EQ(n.getMzCombo(0), 6);
             }},
            // base 0.3 a lo ancho (z local), altura 0.5 a lo alto (y local)
            {"seccionRectangular:",
             barraEnX + pesoConGiro + "seccionRectangular: S 0.3 0.5 2.5e7 0.2 24 1\n",
             [] {
                 caja c = cajaDelContorno();
                 EXPECT_DOUBLE_EQ(c.zMax - c.zMin, 0.3);
                 EXPECT_DOUBLE_EQ(c.yMax - c.yMin, 0.5);
                 EXPECT_EQ(barraUsuario(1).getCodigoSeccion(), 1);
                 verificarPesoYMaterial(0.3 * 0.5, 2.5e7, 0.2, 24);
             }},
            {"seccionPlaca:", barraEnX + pesoConGiro + "seccionPlaca: S 0.3 0.5 2.5e7 0.2 24 1\n",
             [] {
                 caja c = cajaDelContorno();
                 EXPECT_DOUBLE_EQ(c.zMax - c.zMin, 0.3);
                 EXPECT_DOUBLE_EQ(c.yMax - c.yMin, 0.5);
                 EXPECT_EQ(barraUsuario(1).getCodigoSeccion(), 4);
                 verificarPesoYMaterial(0.3 * 0.5, 2.5e7, 0.2, 24);
             }},
            // alma 0.2 (alto), ala 0.07 (ancho), labio 0.02, espesor 0.003, radio 0.005
            {"seccionCostanera:",
             barraEnX + pesoConGiro +
                 "seccionCostanera: S 0.2 0.07 0.02 0.003 0.005 2e8 0.3 78.5 1\n",
             [] {
                 caja c = cajaDelContorno();
                 EXPECT_DOUBLE_EQ(c.yMax - c.yMin, 0.2);
                 EXPECT_DOUBLE_EQ(c.zMax - c.zMin, 0.07);
                 // el contorno empieza en la punta de un labio
                 EXPECT_NEAR(c.yMax - barraUsuario(1).getPerimetroSeccion()(1, 0), 0.02, 1e-15);
                 // área por la línea media: su largo por el espesor t; la línea
                 // media tiene el alma, dos alas y dos labios rectos y cuatro
                 // cuartos de círculo de radio r
                 const double t = 0.003, r = 0.005;
                 double largo = (0.2 - t - 2 * r) + 2 * (0.07 - t - 2 * r) +
                                2 * (0.02 - t / 2 - r) + 2 * std::acos(-1.0) * r;
                 EXPECT_EQ(barraUsuario(1).getCodigoSeccion(), 2);
                 EXPECT_NEAR(barraUsuario(1).getArea(), largo * t, 1e-15);
                 verificarPesoYMaterial(barraUsuario(1).getArea(), 2e8, 0.3, 78.5);
             }},
            // ala 0.2, grosorAla 0.015, alma (altura total) 0.4, grosorAlma 0.01
            {"seccionW:", barraEnX + pesoConGiro + "seccionW: S 0.2 0.015 0.4 0.01 2e8 0.3 78.5 1\n",
             [] {
                 caja c = cajaDelContorno();
                 MatrixXd p = barraUsuario(1).getPerimetroSeccion();
                 EXPECT_DOUBLE_EQ(c.zMax - c.zMin, 0.2);
                 EXPECT_DOUBLE_EQ(c.yMax - c.yMin, 0.4);
                 // el alma es la parte más angosta del contorno; la cara interior del ala
                 // está a grosorAla del borde
                 EXPECT_DOUBLE_EQ(p.row(0).cwiseAbs().minCoeff(), 0.01 / 2);
                 std::set<double> alturas;
                 for (Eigen::Index k = 0; k < p.cols(); k++) {
                     alturas.insert(p(1, k));
                 }
                 EXPECT_EQ(alturas, (std::set<double>{-0.2, -0.2 + 0.015, 0.2 - 0.015, 0.2}));
                 EXPECT_EQ(barraUsuario(1).getCodigoSeccion(), 3);
                 double area = 2 * 0.2 * 0.015 + (0.4 - 2 * 0.015) * 0.01;
                 verificarPesoYMaterial(area, 2e8, 0.3, 78.5);
             }},
            {"seccionGenerica:",
             barraEnX + pesoConGiro + "seccionGenerica: S 0.01 2e-5 3e-5 4e-6 2.1e8 0.25 77 1\n",
             [] {
                 objBarra3d& b = barraUsuario(1);
                 EXPECT_EQ(b.getArea(), 0.01);
                 EXPECT_EQ(b.getIy(), 2e-5);
                 EXPECT_EQ(b.getIz(), 3e-5);
                 EXPECT_EQ(b.getModJ(), 4e-6);
                 EXPECT_EQ(b.getCodigoSeccion(), 0);
                 verificarPesoYMaterial(0.01, 2.1e8, 0.25, 77);
             }},
            // el giro del usuario se suma a los 90° de partida
            {"rotacionBarra:", barraEnX + "rotacionBarra: 30 1\n",
             [] { EXPECT_DOUBLE_EQ(barraUsuario(1).getAlfaDeg(), 30 + 90); }},
            {"articulacion:", barraEnX + "articulacion: 0.1 0.2 0.3 0.4 1\n",
             [] {
                 objBarra3d& b = barraUsuario(1);
                 EXPECT_EQ(b.getArtIniY(), 0.1);
                 EXPECT_EQ(b.getArtFinY(), 0.2);
                 EXPECT_EQ(b.getArtIniZ(), 0.3);
                 EXPECT_EQ(b.getArtFinZ(), 0.4);
             }},
            {"distribuidaLocalX:", barraEnX + "distribuidaLocalX: D 2 3 1\ncombo: C 1 D\n",
             [] {
                 EXPECT_EQ(barraUsuario(1).getFxIniCombo(0), 2);
                 EXPECT_EQ(barraUsuario(1).getFxFinCombo(0), 3);
             }},
            {"distribuidaLocalY:", barraEnX + "distribuidaLocalY: D 4 5 1\ncombo: C 1 D\n",
             [] {
                 EXPECT_EQ(barraUsuario(1).getFyIniCombo(0), 4);
                 EXPECT_EQ(barraUsuario(1).getFyFinCombo(0), 5);
             }},
            {"distribuidaLocalZ:", barraEnX + "distribuidaLocalZ: D 6 7 1\ncombo: C 1 D\n",
             [] {
                 EXPECT_EQ(barraUsuario(1).getFzIniCombo(0), 6);
                 EXPECT_EQ(barraUsuario(1).getFzFinCombo(0), 7);
             }},
            {"distribuidaLocalT:", barraEnX + "distribuidaLocalT: D 8 1\ncombo: C 1 D\n",
             [] { EXPECT_EQ(barraUsuario(1).getTCombo(0), 8); }},
            // 5 en i y 11 en j a lo largo de (2, 3, 6), de largo 7; el giro de
            // 90°, escrito después, se aplica antes: x local = X, y = −Y, z = −Z
            {"distribuidaGlobal:",
             barraEnX + "distribuidaGlobal: D 5 11 2 3 6 1\nrotacionBarra: 90 1\ncombo: C 1 D\n",
             [] {
                 objBarra3d& b = barraUsuario(1);
                 EXPECT_NEAR(b.getFxIniCombo(0), 5 * 2 / 7.0, 1e-12);
                 EXPECT_NEAR(b.getFxFinCombo(0), 11 * 2 / 7.0, 1e-12);
                 EXPECT_NEAR(b.getFyIniCombo(0), -5 * 3 / 7.0, 1e-12);
                 EXPECT_NEAR(b.getFyFinCombo(0), -11 * 3 / 7.0, 1e-12);
                 EXPECT_NEAR(b.getFzIniCombo(0), -5 * 6 / 7.0, 1e-12);
                 EXPECT_NEAR(b.getFzFinCombo(0), -11 * 6 / 7.0, 1e-12);
             }},
        });
    std::set<std::string> probadas;
    for (const casoCampos& c : casos) {
        SCOPED_TRACE(c.archivo);
        std::string salida = cargar(c.archivo);
        EXPECT_EQ(avisosDe(salida), std::vector<std::string>{}) << salida;
        ASSERT_EQ(noBarras, 1);
        c.verificar();
        probadas.insert(c.etiqueta);
    }
    // cada clase de bloque del formato tiene su caso
    for (const bloqueFormato& b : bloquesFormato) {
        EXPECT_EQ(probadas.count(b.etiqueta), 1u) << b.etiqueta;
    }
    EXPECT_EQ(probadas.size(), bloquesFormato.size());
}

// La tabla del formato del README nombra los valores fijos de cada clase de
// bloque como los avisos, en su orden, y dice si lleva nombre y de qué es su lista
TEST(CargadorCampos, TablaDelReadme)
{
    const std::string readme = leerArchivo(std::string(DIR_PRUEBAS) + "/../README.md");
    ASSERT_FALSE(readme.empty());
    // celdas de las filas de tablas, por su primera celda
    std::map<std::string, std::vector<std::string>> filas;
    for (const std::string& linea : lineasDe(readme)) {
        if (linea.rfind("| `", 0) != 0) {
            continue;
        }
        // entre barras, sin los espacios de los bordes
        std::vector<std::string> celdas;
        for (size_t i = 0, j = linea.find('|', 1); j != std::string::npos;
             i = j, j = linea.find('|', j + 1)) {
            std::string celda = linea.substr(i + 1, j - i - 1);
            size_t a = celda.find_first_not_of(' '), z = celda.find_last_not_of(' ');
            celdas.push_back(a == std::string::npos ? "" : celda.substr(a, z - a + 1));
        }
        filas[celdas[0]] = celdas;
    }
    for (const bloqueFormato& b : bloquesFormato) {
        SCOPED_TRACE(b.etiqueta);
        auto f = filas.find("`" + b.etiqueta + "`");
        ASSERT_NE(f, filas.end());
        const std::vector<std::string>& c = f->second;
        ASSERT_EQ(c.size(), 4u);
        EXPECT_EQ(c[1].empty(), b.nombre.empty()) << c[1];
        std::string campos;
        for (const std::string& campo : b.campos) {
            campos += (campos.empty() ? "" : " ") + campo;
        }
        EXPECT_EQ(c[2].substr(0, c[2].find(" (")), campos);
        EXPECT_EQ(c[3], b.lista);
    }
}
