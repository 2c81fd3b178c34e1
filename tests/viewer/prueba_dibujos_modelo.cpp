// Dibujos del modelo: ejes, nudos, barras, articulaciones, números, secciones
// y volumen, vistos por el modo feedback en coordenadas del modelo.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "tests/viewer/prueba_primitivas_ayuda.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

using namespace dibujoPrueba;

namespace {

const double tol = tolModelo;

void esperarMismos(const std::vector<Segmento>& real, const std::vector<Segmento>& esperado,
                   const std::string& que)
{
    ASSERT_EQ(real.size(), esperado.size()) << que;
    for (size_t i = 0; i < real.size(); i++) {
        esperarCerca(real[i].a, esperado[i].a, tol, que);
        esperarCerca(real[i].b, esperado[i].b, tol, que);
    }
}

// Los trazos de las etiquetas (los de su color) vistos por la cámara
// (vistaCamaraOrto), en coordenadas de ventana: donde los de la referencia en
// la pantalla, y nunca más lejos del ojo (se adelantan delante de lo que
// nombran)
void esperarMismosEnPantalla(const std::function<void()>& etiquetas,
                             const std::function<void()>& referencia, const Segmento& color,
                             const std::string& que)
{
    std::vector<Segmento> real;
    for (const Segmento& g : capturarSegmentos(etiquetas, false)) {
        if (colorEs(g, color.r, color.g, color.bl)) real.push_back(g);
    }
    std::vector<Segmento> esperado = capturarSegmentos(referencia, false);
    ASSERT_EQ(real.size(), esperado.size()) << que;
    ASSERT_FALSE(real.empty()) << que;
    for (size_t i = 0; i < real.size(); i++) {
        const P3 r[2] = {real[i].a, real[i].b}, e[2] = {esperado[i].a, esperado[i].b};
        for (int k = 0; k < 2; k++) {
            EXPECT_NEAR(r[k].x, e[k].x, 0.01) << que;
            EXPECT_NEAR(r[k].y, e[k].y, 0.01) << que;
            EXPECT_LE(r[k].z, e[k].z + 1e-6) << que;
        }
    }
}

// Colores de las etiquetas
const Segmento rojoNudos{{}, {}, 0.9f, 0.2f, 0.2f};
const Segmento grisEtiquetas{{}, {}, 0.8f, 0.8f, 0.8f};

std::vector<Segmento> deColor(const std::vector<Segmento>& s, double r, double g, double b)
{
    std::vector<Segmento> salida;
    for (const Segmento& x : s) {
        if (colorEs(x, r, g, b)) salida.push_back(x);
    }
    return salida;
}

float anchoActual()
{
    GLfloat w = 0;
    glGetFloatv(GL_LINE_WIDTH, &w);
    return w;
}

// Ejes locales esperados de una barra, calculados a mano
struct Ejes {
    P3 x, y, z;
};

// Prepara el estado de cada prueba y lo repone al final: vista ortogonal
// (flags en 0) y ojo en (−3, −4, 2) mirando al origen
struct Escena {
    EstadoVisorGuardado estado;
    Escena(double m)
    {
        vistaOrtoPrueba(m);
        flags.assign(200, 0);
        ponerCamara({-3, -4, 2}, {0, 0, 0});
    }
};


}  // namespace

// Triada de ejes: flechas roja, verde y azul de largo diagonal/15 desde
// (−a/2, −a/2, 0), cabezas de a/10 y letras a/5 de alto al 110 %
TEST(DibujosModelo, EjesFlechasYLetras)
{
    Escena escena(10);
    diagonal = 45;  // a = 3
    const double a = 3;
    std::vector<Segmento> s = capturarSegmentos(plotEjes);
    EXPECT_FLOAT_EQ(anchoActual(), 1.0f);
    struct Caso {
        double r, g, b;
        P3 dir;
        const char* letra;
    };
    std::vector<Caso> casos = {{1, 0, 0, {1, 0, 0}, "X"}, {0, 1, 0, {0, 1, 0}, "Y"},
                               {0, 0, 1, {0, 0, 1}, "Z"}};
    P3 o{-1.5, -1.5, 0};
    size_t total = 0;
    for (const Caso& c : casos) {
        std::vector<Segmento> eje = deColor(s, c.r, c.g, c.b);
        std::vector<Segmento> esperado = capturarSegmentos([&] {
            P3 punta = o + a * c.dir;
            drawFlecha(o.x, o.y, o.z, punta.x, punta.y, punta.z, 0.3);
            P3 l = o + (1.1 * a) * c.dir;
            drawTextoEscaladoFacing(l.x, l.y, l.z, c.letra, a / 5, 2);
        });
        esperarMismos(eje, esperado, c.letra);
        // la cabeza: púas de 0.3 a lo largo del eje
        ASSERT_GE(eje.size(), 5u);
        esperarCerca(eje[0].b, o + a * c.dir, tol, c.letra);
        EXPECT_NEAR(punto(eje[1].b - eje[1].a, c.dir), -0.3, tol) << c.letra;
        total += eje.size();
    }
    EXPECT_EQ(total, s.size());
}

// Esferas de los nudos: radio diagonal/300, rojo oscuro, solo con flagNudos
// encendido y solo en nudos visibles
TEST(DibujosModelo, NudosEsferasVisibles)
{
    Escena escena(10);
    armarModelo({{0, 0, 0}, {3, 1, 2}, {-2, 4, -1}}, {});
    diagonal = 300;  // radio 1
    nudosAislados << 1, 0, 1;
    flags[flagNudos] = 1;
    std::vector<Poligono> p = capturarPoligonos(plotNudos);
    ASSERT_FALSE(p.empty());
    std::vector<int> porNudo(3, 0);
    for (const Poligono& q : p) {
        EXPECT_NEAR(q.r, 0.7, 0.01);
        EXPECT_NEAR(q.g, 0.0, 0.01);
        EXPECT_NEAR(q.bl, 0.0, 0.01);
        for (int i = 0; i < 3; i++) {
            P3 c{nudo[i].getX(), nudo[i].getY(), nudo[i].getZ()};
            if (distancia(q.v[0], c) < 1.01) {
                porNudo[i]++;
                for (const P3& v : q.v) EXPECT_NEAR(distancia(v, c), 1.0, 1e-3);
            }
        }
    }
    EXPECT_GT(porNudo[0], 50);
    EXPECT_EQ(porNudo[1], 0);
    EXPECT_EQ(porNudo[0], porNudo[2]);
    flags[flagNudos] = 2;  // par: apagado
    EXPECT_TRUE(capturarFeedback(plotNudos).empty());
}

// Las esferas de los nudos, juntas en una tanda y sin sus caras traseras, se
// ven como glutSolidSphere con todas sus caras en cada nudo: de frente, de
// costado, desde abajo y en perspectiva, los mismos píxeles (salvo alguno del
// borde por el redondeo de la matriz) y la profundidad de la cara de adelante.
// Las caras traseras de la esfera de freeglut nunca se ven: sin ellas, los
// píxeles son exactamente los mismos (en el borde la profundidad puede
// cambiar en el redondeo).
TEST(DibujosModelo, EsferasComoLasDeGlutConTodasSusCaras)
{
    Escena escena(10);
    armarModelo({{0, 0, 0}, {3, 1, 2}, {-2, 4, -1}, {1.5, -3, 0.5}, {-4, -2, 1.2}}, {});
    diagonal = 450;  // radio 1.5
    flags[flagNudos] = 1;
    glEnable(GL_DEPTH_TEST);
    struct Imagen {
        std::vector<unsigned char> color;
        std::vector<float> z;
    };
    auto imagen = [](const std::function<void()>& dibujo) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        dibujo();
        glFinish();
        Imagen im;
        int w = 0, h = 0;
        im.color = leerPixeles(w, h);
        im.z.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
        glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_FLOAT, im.z.data());
        return im;
    };
    auto deGlut = [](bool sinTraseras) {
        return [sinTraseras] {
            if (sinTraseras) glEnable(GL_CULL_FACE);
            glColor3f(0.7f, 0, 0);
            for (int i = 0; i < noNudos; i++) {
                glPushMatrix();
                glTranslatef(static_cast<float>(nudo[i].getX()),
                             static_cast<float>(nudo[i].getY()),
                             static_cast<float>(nudo[i].getZ()));
                glutSolidSphere(diagonal / 300, 12, 12);
                glPopMatrix();
            }
            glDisable(GL_CULL_FACE);
        };
    };
    struct Comparacion {
        size_t pintados = 0, distintos = 0, otraProfundidad = 0;
    };
    auto comparar = [](const Imagen& a, const Imagen& b, float tolZ) {
        Comparacion c;
        for (size_t p = 0; p < a.z.size(); p++) {
            const unsigned char* x = &a.color[3 * p];
            const unsigned char* y = &b.color[3 * p];
            bool igual = x[0] == y[0] && x[1] == y[1] && x[2] == y[2];
            c.pintados += y[0] != 0;
            c.distintos += !igual;
            c.otraProfundidad += igual && y[0] != 0 && std::fabs(a.z[p] - b.z[p]) > tolZ;
        }
        return c;
    };
    struct Vista {
        const char* nombre;
        std::function<void()> poner;
    };
    std::vector<Vista> vistas = {
        {"de frente", [] { vistaOrtoPrueba(10); }},
        {"de costado", [] { vistaOrtoPrueba(10); glRotatef(70, 1, 0, 0); glRotatef(-25, 0, 0, 1); }},
        {"desde abajo", [] { vistaOrtoPrueba(10); glRotatef(160, 1, 0, 0); }},
        {"en perspectiva",
         [] {
             glMatrixMode(GL_PROJECTION);
             glLoadIdentity();
             gluPerspective(45, 1.25, 0.5, 100);
             glMatrixMode(GL_MODELVIEW);
             glLoadIdentity();
             gluLookAt(-9, -12, 7, 0, 0, 0, 0, 0, 1);
         }},
    };
    for (const Vista& v : vistas) {
        v.poner();
        Imagen todas = imagen(deGlut(false));
        Comparacion glut = comparar(imagen(deGlut(true)), todas, 1e-5f);
        EXPECT_EQ(glut.distintos, 0u) << v.nombre;
        EXPECT_EQ(glut.otraProfundidad, 0u) << v.nombre;
        Comparacion lote = comparar(imagen(plotNudos), todas, 1e-5f);
        EXPECT_GT(lote.pintados, 500u) << v.nombre;
        EXPECT_LE(lote.distintos, 3u) << v.nombre;
        EXPECT_EQ(lote.otraProfundidad, 0u) << v.nombre;
    }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

// Barras: línea de ancho 3, gris con sección y roja sin nombre de sección;
// las ocultas no se dibujan
TEST(DibujosModelo, BarrasGrisesRojasYOcultas)
{
    Escena escena(10);
    armarModelo({{0, 0, 0}, {4, 0, 0}, {4, 3, 2}, {0, -2, 5}}, {{0, 1}, {1, 2}, {2, 3}});
    barra[0].setSeccionRectangular(0.2, 0.4);
    barra[0].setNombreDeSeccion("R20x40");
    barra[2].setNombreDeSeccion("R20x40");
    barrasAisladas << 1, 1, 0;
    std::vector<Segmento> s = capturarSegmentos(plotBarras);
    EXPECT_FLOAT_EQ(anchoActual(), 3.0f);
    ASSERT_EQ(s.size(), 2u);
    esperarCerca(s[0].a, {0, 0, 0}, tol, "barra 0");
    esperarCerca(s[0].b, {4, 0, 0}, tol, "barra 0");
    EXPECT_TRUE(colorEs(s[0], 0.5, 0.5, 0.5));
    esperarCerca(s[1].a, {4, 0, 0}, tol, "barra 1");
    esperarCerca(s[1].b, {4, 3, 2}, tol, "barra 1");
    EXPECT_TRUE(colorEs(s[1], 0.9, 0.1, 0.1));
}

// Marco de la barra: el contorno de una sección rectangular b = 0.2 (z local),
// h = 0.4 (y local) queda a L/4 del extremo i, atravesado a la barra, con los
// ejes locales calculados a mano para cada orientación; el nombre va al medio
TEST(DibujosModelo, SeccionesAtraviesanBarrasDeTodaOrientacion)
{
    const double r2 = std::sqrt(2.0), r18 = std::sqrt(18.0);
    const double c30 = std::sqrt(3.0) / 2;
    struct Caso {
        const char* nombre;
        P3 i, j;
        double giro;  // grados
        Ejes ejes;
    };
    std::vector<Caso> casos = {
        {"+X", {0, 0, 0}, {4, 0, 0}, 0, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}},
        {"+Y", {1, 0, 0}, {1, 4, 0}, 0, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}},
        {"-X", {4, 1, 1}, {0, 1, 1}, 0, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}},
        {"-Y", {0, 4, 0}, {0, 0, 0}, 0, {{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}}},
        {"inclinada X-Z", {0, 0, 0}, {3, 0, 4}, 0, {{0.6, 0, 0.8}, {-0.8, 0, 0.6}, {0, -1, 0}}},
        {"inclinada 3D", {1, 1, 1}, {3, 3, 2}, 0,
         {{2.0 / 3, 2.0 / 3, 1.0 / 3}, {-1 / r18, -1 / r18, 4 / r18}, {1 / r2, -1 / r2, 0}}},
        {"vertical arriba", {0, 0, 0}, {0, 0, 3}, 0, {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}}},
        {"vertical abajo", {0, 0, 3}, {0, 0, 0}, 0, {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}},
        {"+X girada 30", {0, 0, 0}, {4, 0, 0}, 30, {{1, 0, 0}, {0, -0.5, c30}, {0, -c30, -0.5}}},
        {"vertical girada 90", {0, 0, 0}, {0, 0, 3}, 90, {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}}},
    };
    // Esquinas del rectángulo como (z, y), en el orden del contorno
    const double zs[5] = {-0.1, 0.1, 0.1, -0.1, -0.1};
    const double ys[5] = {-0.2, -0.2, 0.2, 0.2, -0.2};
    for (const Caso& c : casos) {
        Escena escena(10);
        distCamObj = 20;  // d = 0.1
        vistaCamaraOrto(10);
        armarModelo({c.i, c.j}, {{0, 1}});
        objBarra3d& b = barra[0];
        b.setSeccionRectangular(0.2, 0.4);
        b.setNombreDeSeccion("R2x4");
        b.setRotacion(c.giro);
        double L = distancia(c.i, c.j);
        std::vector<Segmento> s = capturarSegmentos([] { plotSecciones(0.5); });
        EXPECT_FLOAT_EQ(anchoActual(), 1.0f);
        std::vector<Segmento> contorno = deColor(s, 0.3, 0.3, 0.3);
        ASSERT_EQ(contorno.size(), 4u) << c.nombre;
        P3 o = c.i + (L / 4) * c.ejes.x;
        for (int k = 0; k < 4; k++) {
            P3 a = o + ys[k] * c.ejes.y + zs[k] * c.ejes.z;
            P3 e = o + ys[k + 1] * c.ejes.y + zs[k + 1] * c.ejes.z;
            esperarCerca(contorno[k].a, a, tol, c.nombre);
            esperarCerca(contorno[k].b, e, tol, c.nombre);
        }
        std::vector<Segmento> nombre = deColor(s, 0.8, 0.8, 0.8);
        P3 m = 0.5 * (c.i + c.j) + P3{0.1, 0.1, 0.1};
        esperarMismosEnPantalla([] { plotSecciones(0.5); },
                                [&] { drawTextoEscaladoFacing(m.x, m.y, m.z, "R2x4", 0.5, 2); },
                                grisEtiquetas, c.nombre);
        EXPECT_EQ(nombre.size() + contorno.size(), s.size()) << c.nombre;
    }
}

// Sin sección: nombre vacío, sin contorno, aviso en consola; la barra oculta
// no dibuja ni avisa
TEST(DibujosModelo, SeccionesSinSeccionYOcultas)
{
    Escena escena(10);
    distCamObj = 20;
    armarModelo({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}}, {{0, 1}, {1, 2}});
    barra[1].setSeccionRectangular(0.2, 0.4);
    barra[1].setNombreDeSeccion("R");
    barrasAisladas << 1, 0;
    std::vector<Segmento> s;
    std::string salida = capturarSalida([&] { s = capturarSegmentos([] { plotSecciones(0.5); }); });
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(salida, "Definir el nombre de sección\n");
}

// El aviso de barra sin sección sale una vez por barra, no en cada cuadro;
// una barra oculta avisa recién cuando se muestra
TEST(DibujosModelo, SeccionesAvisanUnaVezPorBarra)
{
    Escena escena(10);
    distCamObj = 20;
    armarModelo({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}, {{0, 1}, {1, 2}, {2, 3}});
    barra[1].setSeccionRectangular(0.2, 0.4);
    barra[1].setNombreDeSeccion("R");
    barrasAisladas << 1, 1, 0;
    const std::string aviso = "Definir el nombre de sección\n";
    auto cuadros = [](int n) {
        return capturarSalida([n] {
            for (int k = 0; k < n; k++) capturarSegmentos([] { plotSecciones(0.5); });
        });
    };
    EXPECT_EQ(cuadros(5), aviso);
    barrasAisladas(2) = 1;
    EXPECT_EQ(cuadros(3), aviso);
    EXPECT_EQ(cuadros(3), "");
    // Un modelo nuevo vuelve a avisar
    armarModelo({{0, 0, 0}, {4, 0, 0}}, {{0, 1}});
    EXPECT_EQ(cuadros(3), aviso);
}

// Volumen: cada lado del contorno extruido de x = 0 a x = L con el color de su
// tipo, bordes blancos de cada cara y contornos blancos en los dos extremos
TEST(DibujosModelo, VolumenPorTipoDeSeccion)
{
    struct Caso {
        const char* nombre;
        std::function<void(objBarra3d&)> seccion;
        double r, g, b;
        int caras;
    };
    std::vector<Caso> casos = {
        {"genérica", [](objBarra3d& b) { b.setSeccionGenerica(1, 1, 1, 1); }, 0.3, 0, 0, 5},
        {"rectangular", [](objBarra3d& b) { b.setSeccionRectangular(0.2, 0.4); }, 0.8, 0.8, 0.2, 4},
        {"costanera", [](objBarra3d& b) { b.setSeccionCostanera(0.1, 0.2, 0.03, 0.004, 0.004); },
         0.2, 0.8, 0.2, 5},
        {"W", [](objBarra3d& b) { b.setSeccionW(0.2, 0.02, 0.4, 0.01); }, 0.8, 0.2, 0.8, 12},
        // placa: color propio, el mismo en todas las caras
        {"placa", [](objBarra3d& b) { b.setSeccionPlaca(0.5, 0.1); }, 0.2, 0.5, 0.9, 4},
    };
    const Ejes e{{0.6, 0, 0.8}, {-0.8, 0, 0.6}, {0, -1, 0}};
    const P3 pi{1, 0, 0};
    const double L = 5;
    for (const Caso& c : casos) {
        Escena escena(10);
        armarModelo({pi, {4, 0, 4}, {0, 0, 0}, {1, 1, 1}}, {{0, 1}, {2, 3}});
        c.seccion(barra[0]);
        MatrixXd per = barra[0].getPerimetroSeccion();
        ASSERT_EQ(per.cols(), c.caras + 1) << c.nombre;
        auto punto3 = [&](Eigen::Index k, double x) {
            return pi + x * e.x + per(1, k) * e.y + per(0, k) * e.z;
        };
        glColor3f(1, 1, 1);
        std::vector<Poligono> p = capturarPoligonos(plotVolumen);
        std::vector<int> cubierta(c.caras, 0);
        for (const Poligono& q : p) {
            EXPECT_NEAR(q.r, c.r, 0.01) << c.nombre;
            EXPECT_NEAR(q.g, c.g, 0.01) << c.nombre;
            EXPECT_NEAR(q.bl, c.b, 0.01) << c.nombre;
            // cada polígono tiene sus vértices entre las cuatro esquinas de una cara
            int cara = -1;
            for (int k = 0; k < c.caras && cara < 0; k++) {
                P3 esq[4] = {punto3(k, 0), punto3(k + 1, 0), punto3(k + 1, L), punto3(k, L)};
                bool todos = true;
                for (const P3& v : q.v) {
                    bool alguno = false;
                    for (const P3& x : esq) alguno = alguno || distancia(v, x) < 1e-3;
                    todos = todos && alguno;
                }
                if (todos) cara = k;
            }
            ASSERT_GE(cara, 0) << c.nombre;
            cubierta[cara]++;
        }
        for (int k = 0; k < c.caras; k++) EXPECT_GT(cubierta[k], 0) << c.nombre << " cara " << k;
        std::vector<Segmento> s = capturarSegmentos(plotVolumen);
        EXPECT_FLOAT_EQ(anchoActual(), 2.0f);
        std::vector<Segmento> blancos = deColor(s, 1, 1, 1);
        EXPECT_EQ(blancos.size(), s.size()) << c.nombre;
        // 4 bordes por cara y el contorno en cada extremo
        ASSERT_EQ(blancos.size(), static_cast<size_t>(4 * c.caras + 2 * c.caras)) << c.nombre;
        for (int k = 0; k < c.caras; k++) {
            esperarCerca(blancos[4 * k].a, punto3(k, 0), tol, c.nombre);
            esperarCerca(blancos[4 * k + 1].a, punto3(k + 1, 0), tol, c.nombre);
            esperarCerca(blancos[4 * k + 2].a, punto3(k + 1, L), tol, c.nombre);
            esperarCerca(blancos[4 * k + 3].a, punto3(k, L), tol, c.nombre);
            esperarCerca(blancos[4 * k + 3].b, punto3(k, 0), tol, c.nombre);
            esperarCerca(blancos[4 * c.caras + k].a, punto3(k, 0), tol, c.nombre);
            esperarCerca(blancos[4 * c.caras + k].b, punto3(k + 1, 0), tol, c.nombre);
            esperarCerca(blancos[5 * c.caras + k].a, punto3(k, L), tol, c.nombre);
            esperarCerca(blancos[5 * c.caras + k].b, punto3(k + 1, L), tol, c.nombre);
        }
    }
}

// Articulaciones: círculos de radio diagonal/300 al 5 % y al 95 % de la barra,
// verdes en el plano local x-y y cian en el x-z, para fijeza 0 y 0.5, no para 1
TEST(DibujosModelo, ArticulacionesSegunFijezaYPlano)
{
    const Ejes e{{0.6, 0, 0.8}, {-0.8, 0, 0.6}, {0, -1, 0}};
    const P3 pi{1, 0, 0};
    const double L = 5, r = 0.5;
    struct Circulo {
        double x;   // fracción del largo
        bool enY;   // plano local x-y (verde) o x-z (cian)
    };
    struct Caso {
        double iniY, finY, iniZ, finZ;
        std::vector<Circulo> circulos;
    };
    std::vector<Caso> casos = {
        {1, 1, 1, 1, {}},
        {0, 1, 1, 1, {{0.05, true}}},
        {1, 0.5, 1, 1, {{0.95, true}}},
        {1, 1, 0.99, 1, {{0.05, false}}},
        {1, 1, 1, 0, {{0.95, false}}},
        {0, 0, 0.5, 0.5, {{0.05, true}, {0.95, true}, {0.05, false}, {0.95, false}}},
    };
    for (const Caso& c : casos) {
        Escena escena(10);
        diagonal = 150;
        armarModelo({pi, {4, 0, 4}}, {{0, 1}});
        barra[0].setArticulacion(c.iniY, c.finY, c.iniZ, c.finZ);
        std::string que = std::to_string(c.iniY) + " " + std::to_string(c.finY) + " " +
                          std::to_string(c.iniZ) + " " + std::to_string(c.finZ);
        std::vector<Segmento> s = capturarSegmentos(plotArticulaciones);
        EXPECT_FLOAT_EQ(anchoActual(), 1.0f);
        ASSERT_EQ(s.size(), 10 * c.circulos.size()) << que;
        for (size_t k = 0; k < c.circulos.size(); k++) {
            const Circulo& ci = c.circulos[k];
            P3 centro = pi + (ci.x * L) * e.x;
            P3 normal = ci.enY ? e.z : e.y;
            for (int t = 0; t < 10; t++) {
                const Segmento& g = s[10 * k + t];
                EXPECT_TRUE(ci.enY ? colorEs(g, 0.1, 0.7, 0.1) : colorEs(g, 0.1, 0.7, 0.7)) << que;
                EXPECT_NEAR(distancia(g.a, centro), r, tol) << que;
                EXPECT_NEAR(punto(g.a - centro, normal), 0, tol) << que;
            }
            // el primer punto queda sobre x local (ángulo 0)
            esperarCerca(s[10 * k].a, centro + r * e.x, tol, que);
        }
    }
}

// Números de nudos (a la izquierda, rojo) y de barras (centrados al medio, gris
// claro), corridos distCamObj/200 en los tres ejes y distCamObj/50 hacia el
// ojo; sin los ocultos
TEST(DibujosModelo, NumerosDeNudosYBarras)
{
    Escena escena(10);
    distCamObj = 40;  // d = 0.2
    armarModelo({{0, 0, 0}, {4, 0, 0}, {4, 3, 2}}, {{0, 1}, {1, 2}, {0, 2}});
    nudosAislados << 1, 0, 1;
    barrasAisladas << 0, 1, 1;
    vistaCamaraOrto(10);
    auto texto = [&](P3 p, const char* t, int alineacion) {
        drawTextoEscaladoFacing(p.x, p.y, p.z, t, 0.4, alineacion);
    };
    std::vector<Segmento> n = capturarSegmentos([] { plotTagNudos(0.4); });
    EXPECT_FLOAT_EQ(anchoActual(), 1.0f);
    EXPECT_EQ(deColor(n, 0.9, 0.2, 0.2).size(), n.size());
    esperarMismosEnPantalla([] { plotTagNudos(0.4); },
                            [&] {
                                texto({0.2, 0.2, 0.2}, "1", 1);
                                texto({4.2, 3.2, 2.2}, "3", 1);
                            },
                            rojoNudos, "nudos");
    std::vector<Segmento> b = capturarSegmentos([] { plotTagBarras(0.4); });
    EXPECT_EQ(deColor(b, 0.8, 0.8, 0.8).size(), b.size());
    esperarMismosEnPantalla([] { plotTagBarras(0.4); },
                            [&] {
                                texto({4.2, 1.7, 1.2}, "11", 2);
                                texto({2.2, 1.7, 1.2}, "12", 2);
                            },
                            grisEtiquetas, "barras");
}

// Con todo oculto por el aislamiento ningún dibujo del modelo dibuja nada
TEST(DibujosModelo, OcultosNoDibujanNada)
{
    Escena escena(10);
    diagonal = 50;
    distCamObj = 20;
    armarModelo({{0, 0, 0}, {4, 0, 0}, {4, 3, 2}}, {{0, 1}, {1, 2}});
    for (int i = 0; i < 3; i++) nudo[i].setApoyo(1, 1, 1, 1, 1, 1);
    for (int i = 0; i < 2; i++) {
        barra[i].setSeccionRectangular(0.2, 0.4);
        barra[i].setNombreDeSeccion("R");
        barra[i].setArticulacion(0, 0, 0, 0);
    }
    flags[flagNudos] = 1;
    std::vector<std::function<void()>> dibujos = {
        plotNudos, plotBarras, plotArticulaciones, [] { plotTagNudos(0.3); },
        [] { plotTagBarras(0.3); }, [] { plotSecciones(0.3); }, plotVolumen, [] { plotApoyos(0); }};
    for (size_t k = 0; k < dibujos.size(); k++) {
        EXPECT_FALSE(capturarFeedback(dibujos[k]).empty()) << "visible " << k;
    }
    nudosAislados.setZero();
    barrasAisladas.setZero();
    for (size_t k = 0; k < dibujos.size(); k++) {
        EXPECT_TRUE(capturarFeedback(dibujos[k]).empty()) << "oculto " << k;
    }
}

namespace {

// Píxeles de la ventana con la cámara y la proyección del programa, tras
// borrarla y dibujar
std::vector<unsigned char> pixelesDe(const std::function<void()>& dibujo)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
    dibujo();
    glFinish();
    int w = 0, h = 0;
    return leerPixeles(w, h);
}

// Píxeles del color de la etiqueta que la etiqueta sola pinta y que con lo
// que nombra debajo ya no son de ese color
int pixelesTapados(const std::vector<unsigned char>& sola, const std::vector<unsigned char>& con,
                   const unsigned char color[3])
{
    auto es = [&](const std::vector<unsigned char>& p, size_t i) {
        return p[i] == color[0] && p[i + 1] == color[1] && p[i + 2] == color[2];
    };
    int n = 0;
    for (size_t i = 0; i + 2 < sola.size(); i += 3) n += es(sola, i) && !es(con, i);
    return n;
}

// La etiqueta sola y dibujada después de lo que nombra: ningún píxel suyo queda tapado
void esperarEntera(const std::function<void()>& etiqueta, const std::function<void()>& debajo,
                   const unsigned char color[3], const std::string& que)
{
    std::vector<unsigned char> sola = pixelesDe(etiqueta);
    std::vector<unsigned char> con = pixelesDe([&] {
        debajo();
        etiqueta();
    });
    EXPECT_EQ(pixelesTapados(sola, con, color), 0) << que;
}

// Las vistas del programa en que se miran las etiquetas: la de inicio, las
// de las teclas (donde una barra se ve de punta), girada, de cerca y en
// ortogonal
struct Vista {
    const char* nombre;
    std::function<void()> poner;
};
std::vector<Vista> vistasDelPrograma()
{
    auto girar = [](int x, int y) {
        mouseButton(1, 0, 500, 400);
        mouseMove(x, y);
        mouseButton(1, 1, x, y);
    };
    return {
        {"inicio", [] {}},
        {"F2", [] { tecladoEspecial(GLUT_KEY_F2, 0, 0); }},
        {"F3", [] { tecladoEspecial(GLUT_KEY_F3, 0, 0); }},
        {"F4", [] { tecladoEspecial(GLUT_KEY_F4, 0, 0); }},
        {"girada", [=] { girar(620, 330); }},
        {"de cerca", [] {
             for (int k = 0; k < 6; k++) zoomIn();
         }},
        {"ortogonal", [] { flags[flagPerspectiva] = 0; }},
        {"ortogonal girada", [=] {
             flags[flagPerspectiva] = 0;
             girar(380, 470);
         }},
        {"ortogonal F4", [] {
             flags[flagPerspectiva] = 0;
             tecladoEspecial(GLUT_KEY_F4, 0, 0);
         }},
    };
}

// Pone la vista con la cámara de inicio, la proyección y el tamaño de la ventana
void ponerVista(const Vista& v)
{
    flags[flagPerspectiva] = 1;
    funcionFronteraGraf();
    v.poner();
    changeSize(1000, 800);
}

// Caja en la ventana de los trazos de un dibujo (con la cámara del programa),
// solo los del color de las etiquetas
struct Caja {
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    bool vacia() const { return x0 > x1; }
    // Entera en la ventana de 1000 x 800
    bool adentro() const { return !vacia() && x0 > 1 && y0 > 1 && x1 < 999 && y1 < 799; }
};
Caja cajaEnVentana(const std::function<void()>& dibujo)
{
    Caja c;
    for (const Segmento& g : capturarSegmentos(
             [&] {
                 glMatrixMode(GL_MODELVIEW);
                 glLoadIdentity();
                 gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
                 dibujo();
             },
             false)) {
        if (!colorEs(g, 0.8, 0.8, 0.8)) continue;
        for (const P3& p : {g.a, g.b}) {
            c.x0 = std::min(c.x0, p.x);
            c.x1 = std::max(c.x1, p.x);
            c.y0 = std::min(c.y0, p.y);
            c.y1 = std::max(c.y1, p.y);
        }
    }
    return c;
}

}  // namespace

// Una etiqueta no la tapa lo que nombra: el número de cada barra se ve entero
// sobre su barra (y el de cada nudo sobre su esfera, y el nombre de la sección,
// un renglón más abajo con los números encendidos) desde la vista de inicio,
// donde el número de una columna cae justo sobre ella, desde las tres vistas
// de las teclas, donde una barra se ve de punta, girada, de cerca y en ortogonal
TEST(DibujosModelo, EtiquetasNoLasTapaLoQueNombran)
{
    EstadoVisorGuardado estado;
    // Pórtico de un vano en el plano x-z, como el ejemplo porticoSimple
    armarModelo({{0, 0, 0}, {0, 0, 4}, {6, 0, 4}, {6, 0, 0}}, {{0, 1}, {1, 2}, {3, 2}});
    for (objBarra3d& b : barra) b.setNombreDeSeccion("PERFIL");
    funcionFlagsInicio();
    escalaTexto = 0.15;
    glEnable(GL_DEPTH_TEST);
    const unsigned char grisEtiqueta[3] = {204, 204, 204};
    const unsigned char rojoEtiqueta[3] = {230, 51, 51};
    for (const Vista& v : vistasDelPrograma()) {
        ponerVista(v);
        // Cada barra sola con su número, cada nudo solo con el suyo
        for (int i = 0; i < noBarras; i++) {
            barrasAisladas.setZero();
            barrasAisladas(i) = 1;
            esperarEntera([] { plotTagBarras(escalaTexto); }, plotBarras, grisEtiqueta,
                          v.nombre + std::string(", barra ") + std::to_string(i));
            flags[flagTagBarras] = 1;
            esperarEntera([] { plotSecciones(escalaTexto); }, plotBarras, grisEtiqueta,
                          v.nombre + std::string(", sección de la barra ") + std::to_string(i));
            flags[flagTagBarras] = 0;
        }
        for (int j = 0; j < noNudos; j++) {
            nudosAislados.setZero();
            nudosAislados(j) = 1;
            esperarEntera([] { plotTagNudos(escalaTexto); }, plotNudos, rojoEtiqueta,
                          v.nombre + std::string(", nudo ") + std::to_string(j));
        }
        nudosAislados.setOnes();
        barrasAisladas.setOnes();
    }
}

// Con los números de las barras y las secciones encendidos, el número y el
// nombre de la sección de una barra van en el mismo ancla pero no se leen
// como una sola palabra ("C40x30" y 5 no dan "C405x30"): en cada vista el
// nombre queda debajo del número, sin tocarlo, y el número sobre el nombre.
// Solo las secciones: el nombre en el ancla, como el número.
TEST(DibujosModelo, NumeroYSeccionDeUnaBarraNoSeTocan)
{
    EstadoVisorGuardado estado;
    // Columnas, vigas en x y en y y una diagonal, con nombres de los ejemplos
    armarModelo({{0, 0, 0}, {0, 0, 3}, {5, 0, 3}, {5, 0, 0}, {5, 4, 3}},
                {{0, 1}, {1, 2}, {3, 2}, {2, 4}, {0, 4}});
    const char* nombres[] = {"C40x30", "W360", "C200", "TUBO", "PL"};
    for (int i = 0; i < noBarras; i++) barra[i].setNombreDeSeccion(nombres[i]);
    funcionFlagsInicio();
    escalaTexto = 0.15;
    for (const Vista& v : vistasDelPrograma()) {
        ponerVista(v);
        int medidas = 0;
        for (int i = 0; i < noBarras; i++) {
            const std::string que = v.nombre + std::string(", barra ") + std::to_string(i);
            barrasAisladas.setZero();
            barrasAisladas(i) = 1;
            flags[flagTagBarras] = 1;
            const Caja numero = cajaEnVentana([] { plotTagBarras(escalaTexto); });
            const Caja nombre = cajaEnVentana([] { plotSecciones(escalaTexto); });
            // Lo que la ventana corta no se mide
            if (!numero.adentro() || !nombre.adentro()) continue;
            medidas++;
            // Debajo, con aire entre los dos, y uno sobre el otro
            EXPECT_LT(nombre.y1, numero.y0 - 0.1 * (numero.y1 - numero.y0)) << que;
            const double centro = (numero.x0 + numero.x1) / 2;
            EXPECT_TRUE(nombre.x0 < centro && centro < nombre.x1) << que;
            // Sin el número, el nombre en el ancla: a la altura del número
            flags[flagTagBarras] = 0;
            const Caja solo = cajaEnVentana([] { plotSecciones(escalaTexto); });
            EXPECT_NEAR(solo.y0, numero.y0, 0.5) << que;
            EXPECT_NEAR(solo.x0 - nombre.x0, 0, 0.5) << que;
        }
        EXPECT_GE(medidas, 3) << v.nombre;
        barrasAisladas.setOnes();
    }
}
