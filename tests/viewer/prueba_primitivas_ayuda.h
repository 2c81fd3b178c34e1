// Ayudas de las pruebas de dibujo: cámara de prueba, captura en coordenadas
// del modelo y guardado del estado global del visor.
#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include "app/zurezar3o.h"
#include <gtest/gtest.h>

#include "comun/capturaGL.h"
#include "viewer/elementosPlot.h"

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
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double a = static_cast<double>(w) / h;
    glOrtho(-m * a, m * a, -m, m, -10 * m, 10 * m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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

// Ojo y punto mirado de la cámara global
inline void ponerCamara(P3 ojo, P3 centro)
{
    xCam = ojo.x;
    yCam = ojo.y;
    zCam = ojo.z;
    xCentroObj = centro.x;
    yCentroObj = centro.y;
    zCentroObj = centro.z;
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

// Guarda los globales del visor y las matrices, y los repone al salir
struct EstadoVisorGuardado {
    double cam[3], centro[3], diag, dist;
    std::vector<int> flagsGuardados;
    VectorXi barrasGuardadas, nudosGuardados;
    EstadoVisorGuardado()
        : cam{xCam, yCam, zCam},
          centro{xCentroObj, yCentroObj, zCentroObj},
          diag(diagonal),
          dist(distCamObj),
          flagsGuardados(flags),
          barrasGuardadas(barrasAisladas),
          nudosGuardados(nudosAislados)
    {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~EstadoVisorGuardado()
    {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        xCam = cam[0];
        yCam = cam[1];
        zCam = cam[2];
        xCentroObj = centro[0];
        yCentroObj = centro[1];
        zCentroObj = centro[2];
        diagonal = diag;
        distCamObj = dist;
        flags = flagsGuardados;
        barrasAisladas = barrasGuardadas;
        nudosAislados = nudosGuardados;
    }
    EstadoVisorGuardado(const EstadoVisorGuardado&) = delete;
    EstadoVisorGuardado& operator=(const EstadoVisorGuardado&) = delete;
};

// Modelo de prueba armado con los métodos de las clases: nudos con número de
// usuario 1, 2, ... y barras 10, 11, ... entre los nudos dados (índices internos);
// todo visible. Deja el modelo anterior reemplazado: reiniciarModelo al final.
inline void armarModelo(const std::vector<P3>& nudos, const std::vector<std::pair<int, int>>& barras)
{
    nudo.clear();
    barra.clear();
    noNudos = static_cast<int>(nudos.size());
    noBarras = static_cast<int>(barras.size());
    nudo.resize(nudos.size());
    for (size_t i = 0; i < nudos.size(); i++) {
        nudo[i].setNoNudoUsuario(static_cast<int>(i) + 1);
        nudo[i].setNoNudoInterno(static_cast<int>(i));
        nudo[i].setCoordenadas(nudos[i].x, nudos[i].y, nudos[i].z);
    }
    barra.resize(barras.size());
    for (size_t i = 0; i < barras.size(); i++) {
        objBarra3d& b = barra[i];
        b.resetFlags();
        b.setNoBarraUsuario(10 + static_cast<int>(i));
        b.setNoBarraInterna(static_cast<int>(i));
        P3 a = nudos[barras[i].first], c = nudos[barras[i].second];
        b.setNudoInicio(barras[i].first, a.x, a.y, a.z);
        b.setNudoFinal(barras[i].second, c.x, c.y, c.z);
    }
    nudosAislados = VectorXi::Ones(noNudos);
    barrasAisladas = VectorXi::Ones(noBarras);
    reiniciarAvisosSecciones();
}

}  // namespace dibujoPrueba
