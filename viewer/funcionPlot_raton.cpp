// Ratón: órbita con el botón central, paneo con el izquierdo, zoom con la rueda.
#include <algorithm>
#include <cmath>

#include <GL/freeglut.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/funcionPlot.h"

namespace {

// Vector del punto mirado al ojo, con sus distancias horizontal y total
struct Mirada {
    double dx, dy, dz, h, r;
    double cosA, sinA;  // dirección horizontal (1, 0 si el ojo está en la vertical)
};

Mirada mirada()
{
    Mirada m;
    m.dx = xCam - xCentroObj;
    m.dy = yCam - yCentroObj;
    m.dz = zCam - zCentroObj;
    m.h = std::sqrt(m.dx * m.dx + m.dy * m.dy);
    m.r = std::sqrt(m.h * m.h + m.dz * m.dz);
    m.cosA = m.h > 0 ? m.dx / m.h : 1;
    m.sinA = m.h > 0 ? m.dy / m.h : 0;
    return m;
}

void orbitar(int x, int y)
{
    deltaAngHoriz = 0.003f * static_cast<float>(x - xLast);
    deltaAngVert = 0.003f * static_cast<float>(y - yLast);
    Mirada m = mirada();
    double a = std::acos(m.cosA);
    if (m.dy < 0) a = 2 * PI - a;
    double e = m.h > 0 ? std::atan(m.dz / m.h) : (m.dz < 0 ? -PI / 2 : PI / 2);
    a -= deltaAngHoriz;
    e += deltaAngVert;
    if (e >= PI / 2) e = PI / 2;
    if (e <= -PI / 2) e = -PI / 2;
    xCam = xCentroObj + m.r * std::cos(e) * std::cos(a);
    yCam = yCentroObj + m.r * std::cos(e) * std::sin(a);
    zCam = zCentroObj + m.r * std::sin(e);
    xLast = x;
    yLast = y;
}

void panear(int x, int y)
{
    Mirada m = mirada();
    double mx = 0.01 * (x - xLast);
    double my = 0.01 * (y - yLast);
    double senE = m.r > 0 ? m.dz / m.r : 0;
    double cosE = m.r > 0 ? m.h / m.r : 1;
    double sx = mx * m.sinA - my * senE * m.cosA;
    double sy = -mx * m.cosA - my * senE * m.sinA;
    double sz = my * cosE;
    xCam += sx;
    yCam += sy;
    zCam += sz;
    xCentroObj += sx;
    yCentroObj += sy;
    zCentroObj += sz;
    xLast = x;
    yLast = y;
}

// Distancias del ojo al punto mirado que alcanza la rueda, en diagonales del
// modelo: un rango amplio que nunca llega a 0 ni al infinito
const double zoomMinimo = 1e-3;
const double zoomMaximo = 1e2;

void zoom(double f)
{
    double dx = xCam - xCentroObj, dy = yCam - yCentroObj, dz = zCam - zCentroObj;
    double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    double referencia = diagonal > 0 && std::isfinite(diagonal) ? diagonal : 1;
    double dMin = zoomMinimo * referencia, dMax = zoomMaximo * referencia;
    bool sinDireccion = !(d > 0) || !std::isfinite(d);
    if (sinDireccion) {
        // Ojo sobre el punto mirado: se separa en la dirección de la vista de inicio
        dx = -dMin / 1.5;
        dy = -dMin / 1.5;
        dz = dMin / 3;
        d = dMin;
    }
    // Dentro del rango el paso es f; en el borde se detiene, y desde fuera
    // vuelve al rango, siempre en el sentido pedido
    double nueva = std::min(std::max(f * d, dMin), dMax);
    if ((f < 1 && nueva > d) || (f > 1 && nueva < d)) nueva = d;
    if (nueva == d && !sinDireccion) return;  // ya en el borde: nada cambia
    double k = nueva == f * d ? f : nueva / d;
    xCam = xCentroObj + k * dx;
    yCam = yCentroObj + k * dy;
    zCam = zCentroObj + k * dz;
    actualizarDistanciaCamara();
    // En ortogonal la extensión visible depende de distCamObj
    if (!flagEncendido(flagPerspectiva)) {
        funcionAplicarProyeccion();
        glutPostRedisplay();
    }
}

}  // namespace

void mouseButton(int button, int state, int x, int y)
{
    if (button == 0) {
        if (state == 0) {
            clickIzq = 1;
            xClickIzq = 0;
            yClickIzq = 0;
            xLast = x;
            yLast = y;
        } else if (state == 1) {
            clickIzq = -1;
            xClickIzq = x;
            yClickIzq = y;
        }
    } else if (button == 1) {
        if (state == 0) {
            clickCentro = 1;
            xLast = x;
            yLast = y;
        } else if (state == 1) {
            clickCentro = -1;
        }
    } else if (button == 3 && state == 1) {
        zoomIn();
    } else if (button == 4 && state == 1) {
        zoomOut();
    }
}

void mouseMove(int x, int y)
{
    if (clickCentro == 1) {
        orbitar(x, y);
    } else if (clickIzq == 1) {
        panear(x, y);
    }
    actualizarDistanciaCamara();
}

void zoomIn() { zoom(0.9); }

void zoomOut() { zoom(1.1); }
