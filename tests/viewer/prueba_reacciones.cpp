// Rótulos de reacciones: una línea roja por grado restringido (código 1),
// apiladas hacia abajo desde el nivel del nudo, sin huecos por los libres.
#include <gtest/gtest.h>

#include "viewer/prueba_diagramas_ayuda.h"

using namespace pruebaResultados;

namespace {

const Seccion seccion{1e6, 1e6, 1e6, 2e6, 1000, 0.25};
const Color rojo{1, 0, 0};
const double h = 20, d = 3000.0 / 100;  // escalaTexto y diagonal/100 del fixture

struct NudoReaccion {
    double x, z;
    int apoyo[6];
    std::vector<std::string> lineas;  // esperadas, de arriba hacia abajo
};

// Nudos en el plano XZ (y = 400). Reacciones del combo 1: 12.5, -3, 7.25,
// 0.5, -1, 2 veces el número de nudo + 1; el combo 0 tiene otras.
const double base[6] = {12.5, -3, 7.25, 0.5, -1, 2};

}  // namespace

class Reacciones : public PruebaResultados {};

TEST_F(Reacciones, UnaLineaPorCodigoUnoApiladasSinHuecos)
{
    for (int p : {3, 0}) {
        SCOPED_TRACE("precision " + std::to_string(p));
        precision = p;
        auto lineas = [p](int nudo, std::vector<int> ks) {
            const char* pref[6] = {"Rx: ", "Ry: ", "Rz: ", "Mx: ", "My: ", "Mz: "};
            std::vector<std::string> s;
            for (int k : ks) s.push_back(pref[k] + fijo(base[k] * (nudo + 1), p));
            return s;
        };
        std::vector<NudoReaccion> nudos = {
            {100, 200, {0, 0, 0, 0, 0, 0}, {}},
            {300, 200, {1, 1, 1, 1, 1, 1}, lineas(1, {0, 1, 2, 3, 4, 5})},
            {500, 200, {0, 0, 1, 0, 0, 0}, lineas(2, {2})},
            {700, 200, {0, 1, 0, 0, 0, 1}, lineas(3, {1, 5})},
            {900, 200, {2, 1, -1, 3, 0, 1}, lineas(4, {1, 5})},  // otros códigos: sin línea
            {500, 600, {1, 0, 0, 0, 0, 0}, lineas(5, {0})},       // oculto: igual se rotula
        };
        std::vector<std::vector<double>> coord;
        for (const NudoReaccion& n : nudos) coord.push_back({n.x, 400, n.z});
        armarModelo(coord, {}, seccion);
        for (size_t i = 0; i < nudos.size(); i++) {
            const int* a = nudos[i].apoyo;
            nudo[i].setApoyo(a[0], a[1], a[2], a[3], a[4], a[5]);
        }
        nudosAislados(5) = 0;
        agregarCombo("C1", 1, "Q");
        agregarCombo("C2", 1, "Q");
        MatrixXd R = MatrixXd::Constant(6 * static_cast<long>(nudos.size()), 2, 99);
        for (size_t i = 0; i < nudos.size(); i++) {
            for (int k = 0; k < 6; k++) R(6 * static_cast<long>(i) + k, 1) = base[k] * (i + 1.0);
        }
        entregarResultados(MatrixXd::Zero(R.rows(), 2), R);
        fijarVista(Vista::XZ);

        std::vector<Trazo> esperado;
        for (const NudoReaccion& n : nudos) {
            // Marco propio: texto en el plano XZ, derecho, desde el nivel del nudo
            auto marco = [&] { glTranslatef(static_cast<float>(n.x), 400, static_cast<float>(n.z)); };
            for (size_t l = 0; l < n.lineas.size(); l++) {
                std::vector<Trazo> t = capturarTrazos([&] {
                    glPushMatrix();
                    marco();
                    glColor3f(1, 0, 0);
                    // Primitiva en el plano x-z: se arma girando su plano x-y
                    glRotatef(90, 1, 0, 0);
                    drawTextoEscalado(d, -h * static_cast<double>(l), 0, n.lineas[l].c_str(), h, 1);
                    glPopMatrix();
                });
                // Texto derecho: sus trazos quedan entre la base de la línea y una altura más arriba
                for (const Trazo& s : t) {
                    double base = n.z - h * static_cast<double>(l);
                    EXPECT_GE(std::min(s.y1, s.y2), base - 0.35 * h);
                    EXPECT_LE(std::max(s.y1, s.y2), base + 1.05 * h);
                    EXPECT_GE(std::min(s.x1, s.x2), n.x + d - 0.05);
                }
                agregar(esperado, t);
            }
        }
        std::vector<Trazo> dibujado;
        std::string salida = capturarSalida([&] { dibujado = capturarTrazos([] { plotReacciones(1); }); });
        EXPECT_EQ(salida, "");
        esperarMismoDibujo(dibujado, esperado);
        for (const Trazo& t : capturarTrazos([] { plotReacciones(1); })) {
            ASSERT_TRUE(esColor(t, rojo)) << describir(t);
        }
    }
}

TEST_F(Reacciones, LosTextosDelValorSonLosDeLaPrecision)
{
    // Mismos trazos que el texto escrito a mano: "Rx: 12.500", "Rx: 12" (sin punto)...
    armarModelo({{500, 400, 400}}, {}, seccion);
    nudo[0].setApoyo(1, 0, 0, 0, 0, 0);
    agregarCombo("C1", 1, "Q");
    fijarVista(Vista::XZ);
    // Una reacción que redondea a cero se escribe sin signo
    const struct {
        double r;
        int p;
        const char* texto;
    } casos[] = {{12.5, 3, "Rx: 12.500"}, {12.5, 0, "Rx: 12"},   {-1e-7, 3, "Rx: 0.000"},
                 {-0.0, 3, "Rx: 0.000"},  {-0.3, 0, "Rx: 0"},     {-0.0006, 3, "Rx: -0.001"}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto);
        MatrixXd R = MatrixXd::Zero(6, 1);
        R(0, 0) = caso.r;
        entregarResultados(MatrixXd::Zero(6, 1), R);
        precision = caso.p;
        auto marco = [] {
            glTranslatef(500, 400, 400);
            glRotatef(90, 1, 0, 0);
        };
        esperarMismoDibujo(capturarTrazos([] { plotReacciones(0); }),
                           textoEsperado(rojo, marco, d, 0, 0, caso.texto, h, 1));
    }
}
