// Símbolos de apoyo: piezas de cada caso en ejes globales, escala y anchos.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "tests/viewer/prueba_primitivas_ayuda.h"
#include "viewer/elementosPlot.h"

using namespace dibujoPrueba;

namespace {

using Tramo = std::array<P3, 2>;
using Piezas = std::vector<Tramo>;

const P3 xn{2, -1, 3};  // posición del nudo

Piezas operator+(Piezas a, const Piezas& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Piezas en unidades del símbolo, escritas a mano
const Piezas empotrado = {{{{-1, 0, 0}, {1, 0, 0}}},
                          {{{-1, 0, -0.6}, {-0.67, 0, 0}}},
                          {{{-0.67, 0, -0.6}, {-0.33, 0, 0}}},
                          {{{-0.33, 0, -0.6}, {0, 0, 0}}},
                          {{{0, 0, -0.6}, {0.33, 0, 0}}},
                          {{{0.33, 0, -0.6}, {0.67, 0, 0}}}};
const Piezas cruzBase = {{{{-1, 0, -1.3}, {1, 0, -1.3}}}, {{{0, -1, -1.3}, {0, 1, -1.3}}}};
const Piezas patasXZ = {{{{-0.75, 0, -1.3}, {0, 0, 0}}}, {{{0.75, 0, -1.3}, {0, 0, 0}}}};
const Piezas patasYZ = {{{{0, -0.75, -1.3}, {0, 0, 0}}}, {{{0, 0.75, -1.3}, {0, 0, 0}}}};
const Piezas cruz3 = {{{{-1, 0, 0}, {1, 0, 0}}}, {{{0, -1, 0}, {0, 1, 0}}}, {{{0, 0, -1}, {0, 0, 1}}}};

// Círculo de radio 0.65 con centro 0.65 bajo el nudo, 10 tramos desde el
// ángulo 0, en el plano X-Z (x, z) o en el Y-Z (y, z)
Piezas circulo(bool planoXZ)
{
    Piezas p;
    const double r = 0.65, pi = 3.141592653589793;
    for (int i = 0; i < 10; i++) {
        double t0 = i * 36 * pi / 180, t1 = (i + 1) * 36 * pi / 180;
        P3 a = planoXZ ? P3{r * std::cos(t0), 0, -r + r * std::sin(t0)}
                       : P3{0, r * std::cos(t0), -r + r * std::sin(t0)};
        P3 b = planoXZ ? P3{r * std::cos(t1), 0, -r + r * std::sin(t1)}
                       : P3{0, r * std::cos(t1), -r + r * std::sin(t1)};
        p.push_back({a, b});
    }
    return p;
}

struct Escena {
    EstadoVisorGuardado estado;
    Escena()
    {
        vistaOrtoPrueba(20);
        flags.assign(200, 0);
    }
    ~Escena() { reiniciarModelo(); }
};

}  // namespace

// Cada caso dibuja sus piezas, en orden, y solo esas: con tamaño dado y con el
// automático diagonal/50
TEST(Apoyos, CadaCasoDibujaSusPiezas)
{
    struct Caso {
        const char* nombre;
        std::array<int, 6> codigos;
        Piezas piezas;
    };
    std::vector<Caso> casos = {
        {"empotrado", {1, 1, 1, 1, 1, 1}, empotrado},
        {"articulado", {1, 1, 1, 0, 0, 0}, cruzBase + patasXZ + patasYZ},
        {"rodillo libre en X e Y", {0, 0, 1, 0, 0, 0}, cruzBase + circulo(true) + circulo(false)},
        {"rodillo libre en Y", {1, 0, 1, 0, 0, 0}, cruzBase + circulo(false) + patasXZ},
        {"rodillo libre en X", {0, 1, 1, 0, 0, 0}, cruzBase + circulo(true) + patasYZ},
        {"tres traslaciones y un giro", {1, 1, 1, 1, 0, 0}, cruz3},
        {"solo giro z", {0, 0, 0, 0, 0, 1}, cruz3},
        {"código 2", {2, 0, 0, 0, 0, 0}, cruz3},
        {"código 2 en giro", {1, 1, 1, 0, 0, 2}, cruz3},
        {"libre", {0, 0, 0, 0, 0, 0}, {}},
        {"suma cero", {-1, 0, 0, 0, 0, 1}, {}},
        {"suma negativa", {1, -2, 0, 0, 0, 0}, {}},
    };
    struct Tam {
        double argumento, diag, s;
    };
    std::vector<Tam> tamanos = {{0.5, 100, 0.5}, {0, 100, 2}, {1.5, 7, 1.5}};
    for (const Caso& c : casos) {
        for (const Tam& t : tamanos) {
            Escena escena;
            diagonal = t.diag;
            armarModelo({xn}, {});
            const std::array<int, 6>& k = c.codigos;
            nudo[0].setApoyo(k[0], k[1], k[2], k[3], k[4], k[5]);
            GLint pilaAntes = 0, pilaDespues = 0;
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &pilaAntes);
            std::vector<Segmento> s = capturarSegmentos([&] { plotApoyos(t.argumento); });
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &pilaDespues);
            EXPECT_EQ(pilaAntes, pilaDespues);
            std::string que = std::string(c.nombre) + " s=" + std::to_string(t.s);
            ASSERT_EQ(s.size(), c.piezas.size()) << que;
            for (size_t i = 0; i < s.size(); i++) {
                P3 a = xn + t.s * c.piezas[i][0], b = xn + t.s * c.piezas[i][1];
                EXPECT_NEAR(distancia(s[i].a, a), 0, 1e-4) << que << " tramo " << i;
                EXPECT_NEAR(distancia(s[i].b, b), 0, 1e-4) << que << " tramo " << i;
                EXPECT_TRUE(colorEs(s[i], 0.8, 0.8, 0.3)) << que;
            }
        }
    }
}

// Un nudo oculto no muestra su símbolo; los demás sí
TEST(Apoyos, NudoOcultoSinSimbolo)
{
    Escena escena;
    diagonal = 50;
    armarModelo({{0, 0, 0}, {5, 0, 0}, {0, 5, 0}}, {});
    for (int i = 0; i < 3; i++) nudo[i].setApoyo(1, 1, 1, 0, 0, 0);
    nudosAislados << 1, 0, 1;
    std::vector<Segmento> s = capturarSegmentos([] { plotApoyos(0); });
    ASSERT_EQ(s.size(), 12u);  // dos pirámides de 6 tramos
    for (const Segmento& g : s) {
        EXPECT_GT(distancia(g.a, {5, 0, 0}), 2);
        EXPECT_GT(distancia(g.b, {5, 0, 0}), 2);
    }
}

// Anchos en píxeles: la línea gruesa del empotramiento (3), su rayado (1) y la
// cruz de tres ejes (2), vistos de frente desde −Y
TEST(Apoyos, AnchosDeLinea)
{
    Escena escena;
    glDisable(GL_LINE_SMOOTH);
    const double m = 10;  // 800 px = 20 unidades: 40 px por unidad
    auto pixelesEnColumna = [](int col, int filaDesde, int filaHasta) {
        int w = 0, h = 0;
        std::vector<unsigned char> px = leerPixeles(w, h);
        int n = 0;
        for (int f = filaDesde; f <= filaHasta; f++) {
            if (px[(static_cast<size_t>(f) * w + col) * 3] > 0) n++;
        }
        return n;
    };
    auto pixelesEnFila = [](int fila, int colDesde, int colHasta) {
        int w = 0, h = 0;
        std::vector<unsigned char> px = leerPixeles(w, h);
        std::vector<int> tramos;
        int corrida = 0;
        for (int c = colDesde; c <= colHasta; c++) {
            if (px[(static_cast<size_t>(fila) * w + c) * 3] > 0) {
                corrida++;
            } else if (corrida > 0) {
                tramos.push_back(corrida);
                corrida = 0;
            }
        }
        if (corrida > 0) tramos.push_back(corrida);
        return tramos;
    };
    struct Caso {
        std::array<int, 6> codigos;
        int ancho;
    };
    std::vector<Caso> casos = {{{1, 1, 1, 1, 1, 1}, 3}, {{0, 0, 0, 1, 1, 1}, 2}};
    for (const Caso& c : casos) {
        armarModelo({{0, 0, 0}}, {});
        nudo[0].setApoyo(c.codigos[0], c.codigos[1], c.codigos[2], c.codigos[3], c.codigos[4],
                         c.codigos[5]);
        ponerCamara({0, -50, 0}, {0, 0, 0});
        vistaCamaraOrto(m);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        plotApoyos(5);  // 200 px por unidad del símbolo
        glFinish();
        int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
        // la línea a lo largo de X en x = 0.85 (fuera del rayado): una columna
        int col = w / 2 + static_cast<int>(0.85 * 200);
        EXPECT_EQ(pixelesEnColumna(col, h / 2 - 20, h / 2 + 20), c.ancho);
        if (c.ancho == 3) {
            // el rayado a media altura: cinco trazos finos
            std::vector<int> t = pixelesEnFila(h / 2 - 60, w / 2 - 220, w / 2 + 150);
            ASSERT_EQ(t.size(), 5u);
            for (int n : t) EXPECT_LE(n, 2);
        }
    }
}
