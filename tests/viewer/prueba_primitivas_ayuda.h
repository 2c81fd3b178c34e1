// Ayudas de las pruebas de dibujo: cámara de prueba y captura en coordenadas
// del modelo.
#pragma once

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include "comun/capturaGL.h"
#include "viewer/prueba_estado_visor.h"

namespace dibujoPrueba {

struct P3 {
    double x, y, z;
};

inline P3 operator-(P3 a, P3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline P3 operator+(P3 a, P3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline P3 operator*(double k, P3 a) { return {k * a.x, k * a.y, k * a.z}; }
inline double punto(P3 a, P3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double norma(P3 a) { return std::sqrt(punto(a, a)); }
inline P3 cruz(P3 a, P3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double distancia(P3 a, P3 b) { return norma(a - b); }

// Segmento capturado: extremos en coordenadas del modelo y color
struct Segmento {
    P3 a, b;
    float r, g, bl;
};

// Polígono capturado en coordenadas del modelo
struct Poligono {
    std::vector<P3> v;
    float r, g, bl;
};

// Vista ortográfica de prueba: cubo de semilado m centrado en el origen,
// matriz de modelo identidad. Pantalla: x a la derecha, y hacia arriba.
inline void vistaOrtoPrueba(double m)
{
    double a = static_cast<double>(glutGet(GLUT_WINDOW_WIDTH)) / glutGet(GLUT_WINDOW_HEIGHT);
    vistaOrtogonal(-m * a, m * a, -m, m, -10 * m, 10 * m);
}

// Vista ortográfica desde el ojo de los globales hacia el punto mirado
inline void vistaCamaraOrto(double m)
{
    vistaOrtoPrueba(m);
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
}

// Lleva un vértice de ventana a coordenadas del modelo con las matrices actuales
// Matrices y vista actuales
struct MatricesGL {
    GLdouble mv[16], pr[16];
    GLint vp[4];
    MatricesGL()
    {
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        glGetIntegerv(GL_VIEWPORT, vp);
    }
};

inline P3 aModelo(const VerticeGL& v)
{
    MatricesGL m;
    P3 p{0, 0, 0};
    gluUnProject(v.x, v.y, v.z, m.mv, m.pr, m.vp, &p.x, &p.y, &p.z);
    return p;
}

inline P3 enVentana(const VerticeGL& v) { return {v.x, v.y, v.z}; }

// Lleva un punto del modelo a coordenadas de ventana con las matrices actuales
inline P3 aVentana(P3 p)
{
    MatricesGL m;
    P3 w{0, 0, 0};
    gluProject(p.x, p.y, p.z, m.mv, m.pr, m.vp, &w.x, &w.y, &w.z);
    return w;
}

inline void ponerCamara(P3 ojo, P3 centro)
{
    ::ponerCamara(ojo.x, ojo.y, ojo.z, centro.x, centro.y, centro.z);
}

// Tolerancia en coordenadas del modelo
const double tolModelo = 1e-4;

inline void esperarCerca(P3 real, P3 esperado, double t, const std::string& que)
{
    EXPECT_NEAR(real.x, esperado.x, t) << que;
    EXPECT_NEAR(real.y, esperado.y, t) << que;
    EXPECT_NEAR(real.z, esperado.z, t) << que;
}

// Segmentos dibujados, en coordenadas del modelo (o de ventana)
inline std::vector<Segmento> capturarSegmentos(const std::function<void()>& dibujo,
                                               bool modelo = true)
{
    std::vector<Segmento> s;
    for (const PrimitivaGL& p : capturarFeedback(dibujo)) {
        if (p.tipo != PrimitivaGL::Linea) continue;
        const VerticeGL& a = p.v[0];
        const VerticeGL& b = p.v[1];
        s.push_back({modelo ? aModelo(a) : enVentana(a), modelo ? aModelo(b) : enVentana(b), a.r,
                     a.g, a.b});
    }
    return s;
}

inline std::vector<Poligono> capturarPoligonos(const std::function<void()>& dibujo)
{
    std::vector<Poligono> s;
    for (const PrimitivaGL& p : capturarFeedback(dibujo)) {
        if (p.tipo != PrimitivaGL::Poligono || p.v.empty()) continue;
        Poligono q{{}, p.v[0].r, p.v[0].g, p.v[0].b};
        for (const VerticeGL& v : p.v) q.v.push_back(aModelo(v));
        s.push_back(q);
    }
    return s;
}

inline bool colorEs(const Segmento& s, double r, double g, double b, double tol = 0.01)
{
    return std::fabs(s.r - r) < tol && std::fabs(s.g - g) < tol && std::fabs(s.bl - b) < tol;
}

// Modelo de prueba: nudos con número de usuario 1, 2, ... y barras 10, 11, ...
// entre los nudos dados (índices internos); todo visible
inline void armarModelo(const std::vector<P3>& nudos, const std::vector<std::pair<int, int>>& barras)
{
    std::vector<std::array<double, 3>> xyz;
    for (const P3& p : nudos) xyz.push_back({p.x, p.y, p.z});
    armarModeloPrueba(xyz, barras, 10);
}

}  // namespace dibujoPrueba
