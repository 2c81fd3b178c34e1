// Primitivas de dibujo: flecha, arco, textos y números, vistos por el modo
// feedback de OpenGL y llevados a coordenadas del modelo.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/zurezar3o.h"
#include "tests/viewer/prueba_primitivas_ayuda.h"
#include "viewer/elementosPlot.h"

using namespace dibujoPrueba;

namespace {

const double tol = tolModelo;

bool finito(P3 p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Trazos de un glifo en unidades de la fuente (dibujado a 1/100 para que
// entre en la vista de prueba y llevado de vuelta)
std::vector<Segmento> glifoCrudo(char c)
{
    std::vector<Segmento> s = capturarSegmentos([&] {
        glPushMatrix();
        glScalef(0.01f, 0.01f, 0.01f);
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, c);
        glPopMatrix();
    });
    for (Segmento& g : s) {
        g.a = 100 * g.a;
        g.b = 100 * g.b;
    }
    return s;
}

// Compara dos listas de segmentos, la segunda corrida en d
void esperarCorridos(const std::vector<Segmento>& a, const std::vector<Segmento>& b, P3 d,
                     double t, const std::string& que)
{
    ASSERT_EQ(a.size(), b.size()) << que;
    ASSERT_FALSE(a.empty()) << que;
    for (size_t i = 0; i < a.size(); i++) {
        esperarCerca(b[i].a, a[i].a + d, t, que);
        esperarCerca(b[i].b, a[i].b + d, t, que);
    }
}

}  // namespace

// Cada primitiva deja la pila, la matriz, el color y el ancho de línea como estaban,
// y dibuja con el color actual
TEST(Primitivas, DejanMatrizColorYAnchoComoEstaban)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    ponerCamara({3, -4, 2}, {0, 0, 0});
    struct Caso {
        const char* nombre;
        std::function<void()> dibujo;
    };
    std::vector<Caso> casos = {
        {"flecha", [] { drawFlecha(0, 0, 0, 1, 2, 3, 0.5); }},
        {"flecha nula", [] { drawFlecha(1, 1, 1, 1, 1, 1, 0.5); }},
        {"arco", [] { plotArcoXY(2, 0, 360); }},
        {"texto", [] { drawTextoEscalado(1, 2, 3, "Ab", 1, 2); }},
        {"texto girado", [] { drawTextoEscaladoFacing(1, 2, 3, "Ab", 1, 3); }},
        {"fijo", [] { drawNumFloat(1, 2, 3, 4.5, 2, 1, 1); }},
        {"fijo girado", [] { drawNumFloatFacing(1, 2, 3, 4.5, 2, 1, 2); }},
        {"científico", [] { drawNumSci(1, 2, 3, 4.5, 2, 1, 3); }},
        {"científico girado", [] { drawNumSciFacing(1, 2, 3, 4.5, 2, 1, 1); }},
    };
    glTranslatef(0.5f, 0.25f, 0.0f);
    for (const Caso& c : casos) {
        glColor3f(0.25f, 0.5f, 0.75f);
        glLineWidth(2.5f);
        GLfloat antes[16], despues[16], color[4], ancho = 0;
        GLint pilaAntes = 0, pilaDespues = 0;
        glGetFloatv(GL_MODELVIEW_MATRIX, antes);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &pilaAntes);
        std::vector<Segmento> s = capturarSegmentos(c.dibujo);
        glGetFloatv(GL_MODELVIEW_MATRIX, despues);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &pilaDespues);
        glGetFloatv(GL_CURRENT_COLOR, color);
        glGetFloatv(GL_LINE_WIDTH, &ancho);
        EXPECT_EQ(pilaAntes, pilaDespues) << c.nombre;
        for (int k = 0; k < 16; k++) EXPECT_EQ(antes[k], despues[k]) << c.nombre;
        EXPECT_FLOAT_EQ(color[0], 0.25f) << c.nombre;
        EXPECT_FLOAT_EQ(color[1], 0.5f) << c.nombre;
        EXPECT_FLOAT_EQ(color[2], 0.75f) << c.nombre;
        EXPECT_FLOAT_EQ(ancho, 2.5f) << c.nombre;
        ASSERT_FALSE(s.empty()) << c.nombre;
        for (const Segmento& g : s) EXPECT_TRUE(colorEs(g, 0.25, 0.5, 0.75)) << c.nombre;
    }
}

// Flecha: tallo de la cola a la punta y cuatro púas de largo h a lo largo del
// tallo y h/3 fuera de él, en dos planos perpendiculares. Las direcciones
// esperadas de las púas 0 y 2 están calculadas a mano para cada caso.
TEST(Primitivas, FlechaTalloYCuatroPuas)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    const double r5 = std::sqrt(5.0);
    struct Caso {
        const char* nombre;
        P3 cola, punta;
        double h;
        P3 puas0, puas2;  // dirección unitaria fuera del tallo de las púas 0 y 2
    };
    std::vector<Caso> casos = {
        {"+Z", {0, 0, 0}, {0, 0, 2}, 0.3, {0, 1, 0}, {1, 0, 0}},
        {"-Z", {1, 1, 2}, {1, 1, -1}, 0.3, {0, 1, 0}, {-1, 0, 0}},
        {"+X", {0, 0, 0}, {2, 0, 0}, 0.5, {0, -1, 0}, {0, 0, 1}},
        {"-X", {2, 1, 0}, {-1, 1, 0}, 0.5, {0, 1, 0}, {0, 0, 1}},
        {"-Y", {0, 2, 0}, {0, 0, 0}, 0.6, {-1, 0, 0}, {0, 0, 1}},
        {"+Y", {0, -2, 1}, {0, 1, 1}, 0.6, {1, 0, 0}, {0, 0, 1}},
        // cola − punta = (2, −1, 2): púa 0 horizontal (1, 2, 0)/√5, púa 2 = u × púa 0
        {"oblicua", {1, -1, 2}, {-1, 0, 0}, 0.9, {1 / r5, 2 / r5, 0},
         {-4 / (3 * r5), 2 / (3 * r5), 5 / (3 * r5)}},
    };
    for (const Caso& c : casos) {
        std::vector<Segmento> s = capturarSegmentos(
            [&] { drawFlecha(c.cola.x, c.cola.y, c.cola.z, c.punta.x, c.punta.y, c.punta.z, c.h); });
        ASSERT_EQ(s.size(), 5u) << c.nombre;
        esperarCerca(s[0].a, c.cola, tol, c.nombre);
        esperarCerca(s[0].b, c.punta, tol, c.nombre);
        P3 u = (1 / distancia(c.cola, c.punta)) * (c.cola - c.punta);
        P3 fuera[4];
        for (int k = 0; k < 4; k++) {
            esperarCerca(s[1 + k].a, c.punta, tol, c.nombre);
            P3 d = s[1 + k].b - c.punta;
            EXPECT_NEAR(punto(d, u), c.h, tol) << c.nombre << " púa " << k;
            fuera[k] = d - punto(d, u) * u;
            EXPECT_NEAR(norma(fuera[k]), c.h / 3, tol) << c.nombre << " púa " << k;
        }
        esperarCerca(fuera[0], (c.h / 3) * c.puas0, tol, std::string(c.nombre) + " púa 0");
        esperarCerca(fuera[1], (-c.h / 3) * c.puas0, tol, std::string(c.nombre) + " púa 1");
        esperarCerca(fuera[2], (c.h / 3) * c.puas2, tol, std::string(c.nombre) + " púa 2");
        esperarCerca(fuera[3], (-c.h / 3) * c.puas2, tol, std::string(c.nombre) + " púa 3");
    }
}

// Flecha sin largo: sin cabeza y sin NaN. Flechas casi verticales u horizontales
// con redondeo en los ángulos: siempre finitas y con la cabeza en su lugar.
TEST(Primitivas, FlechaNulaYCasiAlineadasSinNaN)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    std::vector<Segmento> nula = capturarSegmentos([] { drawFlecha(1, 2, 3, 1, 2, 3, 0.5); });
    EXPECT_LE(nula.size(), 1u);
    for (const Segmento& g : nula) {
        EXPECT_TRUE(finito(g.a) && finito(g.b));
    }
    struct Caso {
        P3 cola, punta;
    };
    std::vector<Caso> casos = {
        {{1e-17, 0, 0}, {0, 0, 1}},
        {{0, 0, 0}, {3, 0, 1e-9}},
        {{0.1, 0.2, 0.3}, {0.1 + 1e-13, 0.2, 5.3}},
        {{1, 1, 1}, {1 + 3e-16, 1 - 1e-16, -2}},
        {{0.7, 0.3, 0}, {-0.3, 0.3, 1e-16}},
        // el cociente del acos pasa de 1 por redondeo
        {{9.694, 0, 4.517}, {0, 0, 0}},
        {{-0.403, 1, -9.491}, {0, 1, 0}},
    };
    for (const Caso& c : casos) {
        std::vector<Segmento> s = capturarSegmentos(
            [&] { drawFlecha(c.cola.x, c.cola.y, c.cola.z, c.punta.x, c.punta.y, c.punta.z, 0.3); });
        ASSERT_EQ(s.size(), 5u);
        P3 u = (1 / distancia(c.cola, c.punta)) * (c.cola - c.punta);
        for (int k = 1; k < 5; k++) {
            ASSERT_TRUE(finito(s[k].b));
            EXPECT_NEAR(punto(s[k].b - c.punta, u), 0.3, tol);
        }
    }
}

// Arco: tira abierta de 10 tramos en el plano x-y actual, centrada en el origen actual
TEST(Primitivas, ArcoDeDiezTramos)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    struct Caso {
        double r, a0, a1;
        double paso;  // grados por tramo, a mano
    };
    std::vector<Caso> casos = {
        {2, -90, 180, 27},
        {1.5, 0, 360, 36},
        {1, 90, 0, -9},
    };
    const double gr = 3.141592653589793 / 180;
    for (const Caso& c : casos) {
        std::vector<Segmento> s = capturarSegmentos([&] { plotArcoXY(c.r, c.a0, c.a1); });
        ASSERT_EQ(s.size(), 10u);
        for (int i = 0; i < 10; i++) {
            double t0 = (c.a0 + i * c.paso) * gr, t1 = (c.a0 + (i + 1) * c.paso) * gr;
            esperarCerca(s[i].a, {c.r * std::cos(t0), c.r * std::sin(t0), 0}, tol, "arco");
            esperarCerca(s[i].b, {c.r * std::cos(t1), c.r * std::sin(t1), 0}, tol, "arco");
        }
    }
    // El círculo cierra: el último punto cae sobre el primero
    std::vector<Segmento> circulo = capturarSegmentos([] { plotArcoXY(1.5, 0, 360); });
    esperarCerca(circulo.back().b, circulo.front().a, tol, "círculo");
    // En un marco corrido y girado 90° sobre x el arco queda en el plano x-z corrido
    std::vector<Segmento> girado = capturarSegmentos([] {
        glPushMatrix();
        glTranslatef(1, 2, 3);
        glRotatef(90, 1, 0, 0);
        plotArcoXY(2, 0, 90);
        glPopMatrix();
    });
    ASSERT_EQ(girado.size(), 10u);
    esperarCerca(girado.front().a, {3, 2, 3}, tol, "girado inicio");
    esperarCerca(girado.back().b, {1, 2, 5}, tol, "girado fin");
    for (const Segmento& g : girado) EXPECT_NEAR(g.a.y, 2, tol);
}

// Texto en el plano: el glifo a escala h/152.38 desde el ancla; las alineaciones
// 2 y 3 corren el texto 104.76·n/2 y 104.76·n unidades de la fuente hacia atrás
TEST(Primitivas, TextoEnElPlanoEscalaYAlineacion)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(20);
    const double h = 2.0, s = h / 152.38;
    P3 ancla{1, -2, 0.5};
    // Escala y ancla contra el glifo crudo
    std::vector<Segmento> crudo = glifoCrudo('H');
    std::vector<Segmento> texto =
        capturarSegmentos([&] { drawTextoEscalado(ancla.x, ancla.y, ancla.z, "H", h, 1); });
    ASSERT_EQ(crudo.size(), texto.size());
    for (size_t i = 0; i < crudo.size(); i++) {
        esperarCerca(texto[i].a, ancla + s * crudo[i].a, tol, "escala");
        esperarCerca(texto[i].b, ancla + s * crudo[i].b, tol, "escala");
    }
    auto dibujar = [&](const char* t, int al) {
        return capturarSegmentos([&] { drawTextoEscalado(ancla.x, ancla.y, ancla.z, t, h, al); });
    };
    std::vector<Segmento> izq = dibujar("ABCD", 1);
    esperarCorridos(izq, dibujar("ABCD", 2), {-209.52 * s, 0, 0}, tol, "centrado");
    esperarCorridos(izq, dibujar("ABCD", 3), {-419.04 * s, 0, 0}, tol, "derecha");
    // El avance real de la fuente coincide con el supuesto: la cuarta letra de
    // "HHHH" cae donde una "H" sola anclada 3·104.76 unidades más allá
    std::vector<Segmento> cuatro = dibujar("HHHH", 1);
    std::vector<Segmento> ultima = capturarSegmentos(
        [&] { drawTextoEscalado(ancla.x + 3 * 104.76 * s, ancla.y, ancla.z, "H", h, 1); });
    std::vector<Segmento> cola(cuatro.end() - ultima.size(), cuatro.end());
    esperarCorridos(ultima, cola, {0, 0, 0}, tol, "avance");
    // En un marco girado 90° sobre x el texto sube por z
    std::vector<Segmento> girado = capturarSegmentos([&] {
        glPushMatrix();
        glRotatef(90, 1, 0, 0);
        drawTextoEscalado(0, 0, 0, "H", h, 1);
        glPopMatrix();
    });
    ASSERT_EQ(girado.size(), crudo.size());
    for (size_t i = 0; i < crudo.size(); i++) {
        esperarCerca(girado[i].a, {s * crudo[i].a.x, 0, s * crudo[i].a.y}, tol, "girado");
    }
}

// Un texto vacío no dibuja nada, con cualquier alineación y en las dos variantes
TEST(Primitivas, TextoVacioNoDibuja)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    ponerCamara({-5, -5, 3}, {0, 0, 0});
    for (int al = 1; al <= 3; al++) {
        EXPECT_TRUE(capturarFeedback([&] { drawTextoEscalado(0, 0, 0, "", 1, al); }).empty());
        EXPECT_TRUE(capturarFeedback([&] { drawTextoEscaladoFacing(0, 0, 0, "", 1, al); }).empty());
    }
}

// Números: el texto que se dibuja es el de la columna esperada
TEST(Primitivas, NumerosConSuFormato)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(400);
    ponerCamara({4, 7, -3}, {0, 0, 0});
    using FnNum = void (*)(double, double, double, double, int, double, int);
    using FnTexto = void (*)(double, double, double, const char*, double, int);
    char largo[200];
    std::snprintf(largo, sizeof largo, "%.2f", 1e120);
    std::string cortado = std::string(largo).substr(0, 99);
    struct Caso {
        FnNum num;
        FnTexto texto;
        double v;
        int p;
        std::string esperado;
    };
    std::vector<Caso> casos = {
        {drawNumFloat, drawTextoEscalado, 12, 0, "12"},
        {drawNumFloat, drawTextoEscalado, -3.25, 2, "-3.25"},
        {drawNumFloat, drawTextoEscalado, 7.25, -1, "7"},
        {drawNumFloat, drawTextoEscalado, 7.25, -5, "7"},
        {drawNumFloat, drawTextoEscalado, 1e120, 2, cortado},
        {drawNumSci, drawTextoEscalado, 0.5, 3, "5.000e-01"},
        {drawNumSci, drawTextoEscalado, -1234.5, 1, "-1.2e+03"},
        {drawNumSci, drawTextoEscalado, 3.0, -2, "3e+00"},
        {drawNumFloatFacing, drawTextoEscaladoFacing, 12, 0, "12"},
        {drawNumFloatFacing, drawTextoEscaladoFacing, -0.125, 3, "-0.125"},
        {drawNumSciFacing, drawTextoEscaladoFacing, 0.5, 3, "5.000e-01"},
        {drawNumSciFacing, drawTextoEscaladoFacing, 2.5e-12, 0, "2e-12"},
        // Lo que redondea a cero se escribe sin signo; lo que no, con él
        {drawNumFloat, drawTextoEscalado, -1e-9, 3, "0.000"},
        {drawNumFloat, drawTextoEscalado, -0.0, 3, "0.000"},
        {drawNumFloat, drawTextoEscalado, -0.4, 0, "0"},
        {drawNumFloat, drawTextoEscalado, -0.0006, 3, "-0.001"},
        {drawNumFloatFacing, drawTextoEscaladoFacing, -4e-4, 3, "0.000"},
        {drawNumSci, drawTextoEscalado, -0.0, 3, "0.000e+00"},
        {drawNumSci, drawTextoEscalado, -1e-300, 2, "-1.00e-300"},
        {drawNumSciFacing, drawTextoEscaladoFacing, -0.0, 0, "0e+00"},
    };
    EXPECT_EQ(cortado.size(), 99u);
    for (const Caso& c : casos) {
        for (int al = 1; al <= 3; al++) {
            std::vector<Segmento> num = capturarSegmentos([&] { c.num(1, 2, 3, c.v, c.p, 0.5, al); });
            std::vector<Segmento> txt =
                capturarSegmentos([&] { c.texto(1, 2, 3, c.esperado.c_str(), 0.5, al); });
            esperarCorridos(txt, num, {0, 0, 0}, 1e-6, c.esperado);
        }
    }
}

// Texto girado hacia la cámara, en pantalla: de pie, hacia la derecha, a la escala
// pedida, de frente al ojo (misma profundidad) y centrado sobre su ancla desde
// cualquier vista
TEST(Primitivas, TextoGiradoMiraALaCamara)
{
    EstadoVisorGuardado estado;
    const double m = 10;  // semialto de la vista: 800 px son 20 unidades
    int hv = glutGet(GLUT_WINDOW_HEIGHT);
    const double px = hv / (2 * m);
    const double h = 1.5, s = h / 152.38;
    P3 centro{0.5, -0.5, 1};
    P3 ancla{1, 2, 0.5};
    std::vector<Segmento> crudo = glifoCrudo('H');
    std::vector<P3> ojos = {{0, -10, 0}, {10, 7, 5}, {-3, -8, 12}, {5, 0, -4},
                            {0, 10, 0},  {-1e-9, 0, 10}, {-7, 0.2, 0.1}};
    for (P3 ojo : ojos) {
        ponerCamara(centro + ojo, centro);
        vistaCamaraOrto(m);
        P3 av = aVentana(ancla);
        auto dibujar = [&](const char* t, int al) {
            return capturarSegmentos(
                [&] { drawTextoEscaladoFacing(ancla.x, ancla.y, ancla.z, t, h, al); }, false);
        };
        std::string que = "ojo " + std::to_string(ojo.x) + " " + std::to_string(ojo.y) + " " +
                          std::to_string(ojo.z);
        std::vector<Segmento> H = dibujar("H", 1);
        ASSERT_EQ(H.size(), crudo.size()) << que;
        for (size_t i = 0; i < H.size(); i++) {
            P3 ea{av.x + s * px * crudo[i].a.x, av.y + s * px * crudo[i].a.y, av.z};
            P3 eb{av.x + s * px * crudo[i].b.x, av.y + s * px * crudo[i].b.y, av.z};
            esperarCerca(H[i].a, ea, 0.02, que);
            esperarCerca(H[i].b, eb, 0.02, que);
            EXPECT_NEAR(H[i].a.z, av.z, 1e-5) << que;
        }
        std::vector<Segmento> izq = dibujar("ABC", 1);
        esperarCorridos(izq, dibujar("ABC", 2), {-1.5 * 104.76 * s * px, 0, 0}, 0.02,
                        que + " centrado");
        esperarCorridos(izq, dibujar("ABC", 3), {-3 * 104.76 * s * px, 0, 0}, 0.02,
                        que + " derecha");
    }
}

// Con el ojo del lado −Y y a su altura, el texto queda en un plano paralelo a
// x-z y se lee hacia +X
TEST(Primitivas, TextoGiradoDesdeMenosY)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    ponerCamara({2, -20, 1}, {2, 0, 1});
    const double h = 1, s = h / 152.38;
    std::vector<Segmento> crudo = glifoCrudo('H');
    std::vector<Segmento> t = capturarSegmentos([&] { drawTextoEscaladoFacing(1, 2, 3, "H", h, 1); });
    ASSERT_EQ(t.size(), crudo.size());
    for (size_t i = 0; i < t.size(); i++) {
        esperarCerca(t[i].a, {1 + s * crudo[i].a.x, 2, 3 + s * crudo[i].a.y}, tol, "desde -Y");
        esperarCerca(t[i].b, {1 + s * crudo[i].b.x, 2, 3 + s * crudo[i].b.y}, tol, "desde -Y");
    }
}

// Ojo justo encima, justo debajo o sobre el punto mirado (distancia horizontal 0):
// el texto se dibuja sin NaN; desde arriba o abajo queda horizontal
TEST(Primitivas, TextoGiradoSinDistanciaHorizontal)
{
    EstadoVisorGuardado estado;
    vistaOrtoPrueba(10);
    struct Caso {
        double dz;
        bool horizontal;
    };
    std::vector<Caso> casos = {{10, true}, {-10, true}, {0, false}};
    for (const Caso& c : casos) {
        ponerCamara({1, 2, 3 + c.dz}, {1, 2, 3});
        std::vector<Segmento> t =
            capturarSegmentos([] { drawNumFloatFacing(0.5, 0.5, 0.5, 42, 0, 1, 2); });
        ASSERT_FALSE(t.empty()) << c.dz;
        for (const Segmento& g : t) {
            ASSERT_TRUE(finito(g.a) && finito(g.b)) << c.dz;
            if (c.horizontal) {
                EXPECT_NEAR(g.a.z, 0.5, tol) << c.dz;
                EXPECT_NEAR(g.b.z, 0.5, tol) << c.dz;
            }
        }
    }
}
