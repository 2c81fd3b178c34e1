// Ayudas de las pruebas de dibujos de resultados: modelos pequeños con
// resultados dados a mano, vistas ortográficas en píxeles y comparación de
// lo dibujado (segmentos en coordenadas de ventana) con un dibujo esperado.
#pragma once

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "comun/capturaGL.h"
#include "viewer/prueba_estado_visor.h"

namespace pruebaResultados {

struct Color {
    float r, g, b;
};

// Segmento en coordenadas de ventana (píxeles) con su color
struct Trazo {
    double x1, y1, x2, y2;
    float r, g, b;
};

struct Punto {
    double x, y;
};

// Vistas ortográficas de 1000 x 800 en las que una unidad del modelo es un píxel.
// Plano XZ: ventana (x, y) = (X, Z). Plano XY: (X, Y). Plano YZ: (Y, Z), ojo en +X.
enum class Vista { XZ, XY, YZ };

inline void fijarVista(Vista v)
{
    vistaOrtogonal(0, 1000, 0, 800, -5000, 5000);
    if (v == Vista::XZ) {
        glRotatef(-90, 1, 0, 0);
    } else if (v == Vista::YZ) {
        const GLfloat m[16] = {0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1};
        glLoadMatrixf(m);
    }
}

// Punto del modelo en coordenadas de ventana con las matrices actuales
inline Punto enVentana(double x, double y, double z)
{
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, mv, pr, vp, &wx, &wy, &wz);
    return {wx, wy};
}

// Segmentos que dibuja f; comprueba además que deja la pila de matrices como estaba
inline std::vector<Trazo> capturarTrazos(const std::function<void()>& f)
{
    GLint profundidadAntes = 0, profundidadDespues = 0;
    GLfloat antes[16], despues[16];
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &profundidadAntes);
    glGetFloatv(GL_MODELVIEW_MATRIX, antes);
    std::vector<Trazo> t;
    for (const PrimitivaGL& p : capturarFeedback(f)) {
        if (p.tipo == PrimitivaGL::Linea) {
            t.push_back({p.v[0].x, p.v[0].y, p.v[1].x, p.v[1].y, p.v[0].r, p.v[0].g, p.v[0].b});
        }
    }
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &profundidadDespues);
    glGetFloatv(GL_MODELVIEW_MATRIX, despues);
    EXPECT_EQ(profundidadAntes, profundidadDespues) << "pila de matrices desbalanceada";
    for (int k = 0; k < 16; k++) {
        EXPECT_EQ(antes[k], despues[k]) << "la matriz de modelo cambió";
    }
    return t;
}

// Polígonos que dibuja f, cada uno como sus vértices en ventana, con su color
struct Poligono {
    std::vector<Punto> v;
    float r, g, b;
};

inline std::vector<Poligono> capturarPoligonos(const std::function<void()>& f)
{
    std::vector<Poligono> s;
    for (const PrimitivaGL& p : capturarFeedback(f)) {
        if (p.tipo != PrimitivaGL::Poligono || p.v.empty()) continue;
        Poligono q{{}, p.v[0].r, p.v[0].g, p.v[0].b};
        for (const VerticeGL& v : p.v) q.v.push_back({v.x, v.y});
        s.push_back(q);
    }
    return s;
}

inline bool esColor(const Trazo& t, const Color& c)
{
    return std::fabs(t.r - c.r) < 2e-3 && std::fabs(t.g - c.g) < 2e-3 && std::fabs(t.b - c.b) < 2e-3;
}

inline std::vector<Trazo> deColor(const std::vector<Trazo>& t, const Color& c)
{
    std::vector<Trazo> s;
    for (const Trazo& x : t) {
        if (esColor(x, c)) s.push_back(x);
    }
    return s;
}

inline std::string describir(const Trazo& t)
{
    std::ostringstream o;
    o << "(" << t.x1 << ", " << t.y1 << ") -> (" << t.x2 << ", " << t.y2 << ") color (" << t.r
      << ", " << t.g << ", " << t.b << ")";
    return o.str();
}

// Quita de 'dibujados' cada trazo de 'esperados' (mismos extremos en cualquier
// sentido, mismo color). Devuelve la descripción de los esperados que faltan.
inline std::vector<std::string> quitarTrazos(std::vector<Trazo>& dibujados,
                                             const std::vector<Trazo>& esperados,
                                             double tol = 0.02)
{
    std::vector<std::string> faltan;
    auto cerca = [tol](double a, double b, double c, double d) {
        return std::fabs(a - c) < tol && std::fabs(b - d) < tol;
    };
    for (const Trazo& e : esperados) {
        bool hallado = false;
        for (size_t i = 0; i < dibujados.size(); i++) {
            const Trazo& d = dibujados[i];
            if (!esColor(d, {e.r, e.g, e.b})) continue;
            bool directo = cerca(d.x1, d.y1, e.x1, e.y1) && cerca(d.x2, d.y2, e.x2, e.y2);
            bool inverso = cerca(d.x1, d.y1, e.x2, e.y2) && cerca(d.x2, d.y2, e.x1, e.y1);
            if (directo || inverso) {
                dibujados.erase(dibujados.begin() + static_cast<long>(i));
                hallado = true;
                break;
            }
        }
        if (!hallado) faltan.push_back(describir(e));
    }
    return faltan;
}

// Exige que lo dibujado sea exactamente lo esperado (como conjunto de trazos)
inline void esperarMismoDibujo(std::vector<Trazo> dibujados, const std::vector<Trazo>& esperados,
                               double tol = 0.02)
{
    std::vector<std::string> faltan = quitarTrazos(dibujados, esperados, tol);
    for (size_t i = 0; i < faltan.size() && i < 10; i++) {
        ADD_FAILURE() << "falta " << faltan[i];
    }
    EXPECT_TRUE(faltan.empty()) << faltan.size() << " trazos esperados no se dibujaron";
    for (size_t i = 0; i < dibujados.size() && i < 10; i++) {
        ADD_FAILURE() << "sobra " << describir(dibujados[i]);
    }
    EXPECT_TRUE(dibujados.empty()) << dibujados.size() << " trazos dibujados de más";
}

// Trazo esperado entre dos puntos del modelo
inline Trazo trazo(const Color& c, double x1, double y1, double z1, double x2, double y2,
                   double z2)
{
    Punto a = enVentana(x1, y1, z1), b = enVentana(x2, y2, z2);
    return {a.x, a.y, b.x, b.y, c.r, c.g, c.b};
}

// Dibujo de referencia hecho con las primitivas: texto en el plano x-y del
// marco que arma 'marco' (en coordenadas del modelo)
inline std::vector<Trazo> textoEsperado(const Color& c, const std::function<void()>& marco,
                                        double x, double y, double z, const std::string& texto,
                                        double h, int alineacion)
{
    return capturarTrazos([&] {
        glPushMatrix();
        marco();
        glColor3f(c.r, c.g, c.b);
        drawTextoEscalado(x, y, z, texto.c_str(), h, alineacion);
        glPopMatrix();
    });
}

inline void agregar(std::vector<Trazo>& a, const std::vector<Trazo>& b)
{
    a.insert(a.end(), b.begin(), b.end());
}

// Número con p decimales, escrito a mano para los textos esperados; lo que
// redondea a cero va sin signo
inline std::string fijo(double v, int p)
{
    char s[100];
    std::snprintf(s, sizeof s, "%.*f", p, v);
    if (std::strtod(s, nullptr) == 0) std::snprintf(s, sizeof s, "%.*f", p, 0.0);
    return s;
}

// Sección genérica y material de los modelos de prueba
struct Seccion {
    double A, Iy, Iz, J, E, nu;
};

// Modelo global: nudos en 'coordenadas' y barras 1, 2, ... entre pares de
// índices, con la sección dada; todos visibles, sin combos
inline void armarModelo(const std::vector<std::vector<double>>& coordenadas,
                        const std::vector<std::pair<int, int>>& barras, const Seccion& s)
{
    std::vector<std::array<double, 3>> xyz;
    for (const std::vector<double>& c : coordenadas) xyz.push_back({c[0], c[1], c[2]});
    armarModeloPrueba(xyz, barras, 1);
    for (objBarra3d& b : barra) {
        b.setNombreDeSeccion("S");
        b.setSeccionGenerica(s.A, s.Iy, s.Iz, s.J);
        b.setModuloEyPoisson(s.E, s.nu);
    }
}

// Combo para todos los nudos y barras (las cargas del caso ya puestas)
inline void agregarCombo(const std::string& combo, double factor, const std::string& caso)
{
    for (objNudo3d& n : nudo) n.setCombo(combo, factor, caso);
    for (objBarra3d& b : barra) b.setCombo(combo, factor, caso);
    noCombos = static_cast<int>(nombresCombosModelo().size());
}

// Entrega desplazamientos y reacciones como lo hace el análisis
inline void entregarResultados(const MatrixXd& U, const MatrixXd& R)
{
    for (objBarra3d& b : barra) {
        b.getGdl();
        b.getKGlobal();
        b.getCargasEquivalentesGlobales();
    }
    for (objBarra3d& b : barra) b.setDesplazamientos(U);
    for (objNudo3d& n : nudo) {
        n.setDesplazamientos(U);
        n.setReacciones(R);
    }
}

// Estado guardado y repuesto; cámara del lado -Y, textos de 20 y 3 decimales
class PruebaResultados : public ::testing::Test {
protected:
    void SetUp() override
    {
        glMatrixMode(GL_MODELVIEW);
        reiniciarModelo();
        precision = 3;
        escalaTexto = 20;
        diagonal = 3000;
        // Ojo del lado -Y: los textos que miran a la cámara quedan en el plano XZ
        ponerCamara(500, -3000, 400, 500, 400, 400);
        distCamObj = 750;
        flags[flagTextoDiagramas] = 1;
        flags[flagLineasInternas] = 1;
    }

private:
    EstadoVisorGuardado estado;
};

}  // namespace pruebaResultados
