// Deformada: voladizo que va de su punta libre al empotramiento, con fuerza
// de tracción y carga vertical en la punta. La curva dibujada se compara con
// la elástica exacta del voladizo; y lo que se dibuja sin resultados.
#include <gtest/gtest.h>

#include "viewer/prueba_diagramas_ayuda.h"

using namespace pruebaResultados;

namespace {

const Seccion seccion{1000, 1e6, 1e6, 2e6, 1000, 0.25};  // EA = 1e6, EI = 1e9
const double EI = 1e9, EA = 1e6, L = 800;
const double N = 1000, P = 100;  // tracción y carga hacia -Z en la punta
const double xA = 100, yA = 400, zA = 400;  // punta sin desplazar
const Color cian{0, 0.7f, 0.7f}, gris{0.7f, 0.7f, 0.7f};

// Barra 0 del nudo 0 (punta libre, x = 100) al nudo 1 (empotrado, x = 900)
void armarVoladizo()
{
    armarModelo({{xA, yA, zA}, {xA + L, yA, zA}}, {{0, 1}}, seccion);
    nudo[0].setCargaPuntual("Q", -N, 0, -P, 0, 0, 0);
    nudo[1].setApoyo(1, 1, 1, 1, 1, 1);
    agregarCombo("C1", 1, "Q");
    MatrixXd U = MatrixXd::Zero(12, 1);
    U(0, 0) = -N * L / EA;                 // la punta se aleja del empotramiento
    U(2, 0) = -P * L * L * L / (3 * EI);
    U(4, 0) = -P * L * L / (2 * EI);       // sube hacia el empotramiento
    entregarResultados(U, MatrixXd::Zero(12, 1));
}

// Flecha hacia abajo a la distancia e del empotramiento
double flecha(double e) { return P * e * e * (3 * L - e) / (6 * EI); }

struct CasoDeformada {
    const char* nombre;
    double s;
    int texto;
    bool puntaOculta;
};

const CasoDeformada casos[] = {
    {"escala 5", 5, 1, false},
    {"escala doble: se duplica lo dibujado, los números quedan", 10, 1, false},
    {"sin texto", 5, 0, false},
    {"nudo de la punta oculto: la barra sale igual de su posición desplazada", 5, 1, true},
};

}  // namespace

class Deformada : public PruebaResultados {};

TEST_F(Deformada, CurvaEsferasYNumerosSobreLaElasticaExacta)
{
    const double r = 3000.0 / 300;  // diagonal / 300
    for (const CasoDeformada& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        armarVoladizo();
        nudosAislados(0) = caso.puntaOculta ? 0 : 1;
        flags[flagTextoDiagramas] = caso.texto;
        fijarVista(Vista::XZ);
        const double s = caso.s;
        double xp = xA - N * L / EA * s, zp = zA - flecha(L) * s;  // punta desplazada

        std::vector<Trazo> esperado;
        for (int k = 0; k < 20; k++) {
            auto punto = [&](int j, double p[3]) {
                double x = j * L / 20;
                p[0] = xp + x + j * (N * L / EA * s) / 20;  // estiramiento repartido
                p[1] = yA;
                p[2] = zA - flecha(L - x) * s;
            };
            double a[3], b[3];
            punto(k, a);
            punto(k + 1, b);
            esperado.push_back(trazo(cian, a[0], a[1], a[2], b[0], b[1], b[2]));
        }
        // La curva empieza en la punta desplazada y termina en el empotramiento
        EXPECT_NEAR(esperado.front().x1, xp, 1e-3);
        EXPECT_NEAR(esperado.front().y1, zp, 1e-3);
        EXPECT_NEAR(esperado.back().x2, xA + L, 1e-3);
        EXPECT_NEAR(esperado.back().y2, zA, 1e-3);

        struct NudoEsperado {
            double x, z;
            std::vector<std::string> numeros;
            bool visible;
        };
        std::vector<NudoEsperado> nudos = {
            {xp, zp,
             {"-8.000e-01", "0.000e+00", "-1.707e+01", "0.000e+00", "-3.200e-02", "0.000e+00"},
             !caso.puntaOculta},
            {xA + L, zA, std::vector<std::string>(6, "0.000e+00"), true},
        };
        for (const NudoEsperado& n : nudos) {
            if (!n.visible || !caso.texto) continue;
            auto marco = [&] {
                glTranslatef(static_cast<float>(n.x), static_cast<float>(yA),
                             static_cast<float>(n.z));
                glRotatef(90, 1, 0, 0);
            };
            agregar(esperado, textoEsperado(gris, marco, r, 20, 0, "Ux, Uy, Uz ,Gx, Gy, Gz", 20, 1));
            for (int k = 0; k < 6; k++) {
                agregar(esperado, textoEsperado(gris, marco, r, -k * 20.0, 0, n.numeros[k], 20, 1));
            }
        }
        esperarMismoDibujo(capturarTrazos([&] { plotDeformada(0, s); }), esperado);

        // Esferas: caja de sus vértices centrada en cada nudo desplazado, radio r
        std::vector<Poligono> pol = capturarPoligonos([&] { plotDeformada(0, s); });
        size_t usados = 0;
        for (const NudoEsperado& n : nudos) {
            double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
            int cuenta = 0;
            for (const Poligono& q : pol) {
                bool cerca = true;
                for (const Punto& v : q.v) {
                    cerca = cerca && std::hypot(v.x - n.x, v.y - n.z) < 2 * r;
                }
                if (!cerca) continue;
                EXPECT_NEAR(q.r, cian.r, 2e-3);
                EXPECT_NEAR(q.g, cian.g, 2e-3);
                EXPECT_NEAR(q.b, cian.b, 2e-3);
                cuenta++;
                for (const Punto& v : q.v) {
                    xmin = std::min(xmin, v.x);
                    xmax = std::max(xmax, v.x);
                    ymin = std::min(ymin, v.y);
                    ymax = std::max(ymax, v.y);
                }
            }
            usados += static_cast<size_t>(cuenta);
            if (!n.visible) {
                EXPECT_EQ(cuenta, 0) << "esfera de un nudo oculto";
                continue;
            }
            ASSERT_GT(cuenta, 0);
            EXPECT_NEAR((xmin + xmax) / 2, n.x, 0.05);
            EXPECT_NEAR((ymin + ymax) / 2, n.z, 0.05);
            EXPECT_NEAR((xmax - xmin) / 2, r, 0.05);
            EXPECT_NEAR((ymax - ymin) / 2, r, 0.05);
        }
        EXPECT_EQ(usados, pol.size()) << "polígonos fuera de las esferas";
    }
}

// Lo que queda bajo el redondeo de la mayor traslación (o del mayor giro) del
// combo se escribe 0, aunque sea lo mayor de su dirección (las Uy de un
// pórtico plano); lo chico que está sobre el redondeo se escribe tal cual
TEST_F(Deformada, RedondeoSeEscribeCero)
{
    armarModelo({{xA, yA, zA}, {xA + L, yA, zA}}, {{0, 1}}, seccion);
    agregarCombo("C1", 1, "Q");
    MatrixXd U(12, 1);
    U << 2e-3, 1e-51, 1e-10, -4e-52, 4e-4, 3e-20,  // nudo 0
        0, -2e-51, 5e-15, 0, -1e-16, 0;            // nudo 1
    entregarResultados(U, MatrixXd::Zero(12, 1));
    fijarVista(Vista::XZ);
    const double s = 5;
    const std::vector<std::vector<std::string>> numeros = {
        {"2.000e-03", "0.000e+00", "1.000e-10", "0.000e+00", "4.000e-04", "0.000e+00"},
        // 5e-15 es 2.5e-12 de la mayor traslación; -1e-16 es 2.5e-13 del mayor giro
        {"0.000e+00", "0.000e+00", "5.000e-15", "0.000e+00", "0.000e+00", "0.000e+00"},
    };
    std::vector<Trazo> esperado;
    for (int i = 0; i < 2; i++) {
        auto marco = [&] {
            glTranslatef(static_cast<float>(nudo[i].getX() + U(6 * i, 0) * s),
                         static_cast<float>(nudo[i].getY() + U(6 * i + 1, 0) * s),
                         static_cast<float>(nudo[i].getZ() + U(6 * i + 2, 0) * s));
            glRotatef(90, 1, 0, 0);
        };
        const double r = diagonal / 300;
        agregar(esperado, textoEsperado(gris, marco, r, 20, 0, "Ux, Uy, Uz ,Gx, Gy, Gz", 20, 1));
        for (int k = 0; k < 6; k++) {
            agregar(esperado, textoEsperado(gris, marco, r, -k * 20.0, 0, numeros[i][k], 20, 1));
        }
    }
    esperarMismoDibujo(deColor(capturarTrazos([&] { plotDeformada(0, s); }), gris), esperado);
}

// Sin resultados del combo (antes de "Calcular", tras recargar o combo sin
// columna) deformada, diagramas y reacciones no dibujan nada ni escriben en
// la consola; las cargas se dibujan igual antes y después del análisis.
TEST_F(Deformada, SinResultadosSoloSeDibujanLasCargas)
{
    fijarVista(Vista::XZ);
    auto resultados = [] {
        plotDeformada(0, 5);
        plotDeformada(1, 5);
        for (int c = 0; c < 2; c++) {
            plotAxial(c, 1);
            plotCortanteY(c, 1);
            plotMomentoY(c, 1);
            plotCortanteZ(c, 1);
            plotMomentoZ(c, 1);
            plotTorsion(c, 1);
            plotReacciones(c);
        }
    };
    auto nada = [&](const char* cuando) {
        SCOPED_TRACE(cuando);
        std::string salida = capturarSalida([&] {
            EXPECT_TRUE(capturarFeedback(resultados).empty());
        });
        EXPECT_EQ(salida, "");
    };
    // Modelo cargado, sin análisis
    armarModelo({{xA, yA, zA}, {xA + L, yA, zA}}, {{0, 1}}, seccion);
    nudo[0].setCargaPuntual("Q", -N, 0, -P, 0, 0, 0);
    nudo[1].setApoyo(1, 1, 1, 1, 1, 1);
    barra[0].setDistribuidaLocalY("Q", -1, -1);
    agregarCombo("C1", 1, "Q");
    nada("antes del análisis");
    std::vector<Trazo> cargasAntes = capturarTrazos([] { plotCarga(0, 0.1); });
    EXPECT_FALSE(cargasAntes.empty());

    // Con resultados del combo 0: el combo 1 no tiene columna y no dibuja nada
    MatrixXd U = MatrixXd::Zero(12, 1);
    U(2, 0) = -1;
    MatrixXd R = MatrixXd::Constant(12, 1, 5);
    entregarResultados(U, R);
    std::string salida = capturarSalida([&] {
        EXPECT_FALSE(capturarFeedback([] { plotDeformada(0, 5); }).empty());
        EXPECT_FALSE(capturarFeedback([] { plotMomentoY(0, 1); }).empty());
        EXPECT_FALSE(capturarFeedback([] { plotReacciones(0); }).empty());
        EXPECT_TRUE(capturarFeedback([] {
            plotDeformada(1, 5);
            plotMomentoY(1, 1);
            plotReacciones(1);
        }).empty());
    });
    EXPECT_EQ(salida, "");
    esperarMismoDibujo(capturarTrazos([] { plotCarga(0, 0.1); }), cargasAntes, 1e-4);

    // Recargar construye nudos y barras nuevos, sin resultados
    armarModelo({{xA, yA, zA}, {xA + L, yA, zA}}, {{0, 1}}, seccion);
    nudo[1].setApoyo(1, 1, 1, 1, 1, 1);
    agregarCombo("C1", 1, "Q");
    nada("después de recargar");
}
