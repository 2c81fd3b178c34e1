// Cargas del combo: fuerzas y momentos en nudos, cargas distribuidas y
// torsor distribuido en barras. No necesitan análisis. Las flechas de carga
// tienen la cabeza que sigue a la cámara (distCamObj / 75).
#include <cmath>

#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"

namespace {

const double umbralCarga = 1e-5;

void plotCargasNudo(objNudo3d& n, int c, double s)
{
    double p[3] = {n.getX(), n.getY(), n.getZ()};
    double fuerzas[3] = {n.getPxCombo(c), n.getPyCombo(c), n.getPzCombo(c)};
    double momentos[3] = {n.getMxCombo(c), n.getMyCombo(c), n.getMzCombo(c)};
    // Punto del nudo movido d a lo largo del eje global k
    auto movido = [&](int k, double d, double q[3]) {
        for (int j = 0; j < 3; j++) q[j] = p[j] + (j == k ? d : 0);
    };
    glColor3f(0.8f, 0.2f, 0.2f);
    for (int k = 0; k < 3; k++) {
        double P = fuerzas[k];
        if (P == 0) {
            continue;
        }
        double cola[3];
        movido(k, -P * s, cola);
        glLineWidth(2);
        drawFlechaCamara(cola[0], cola[1], cola[2], p[0], p[1], p[2]);
        glLineWidth(1);
        drawNumFloatFacing(cola[0], cola[1], cola[2], std::fabs(P), precision, escalaTexto, 1);
    }
    glColor3f(0.8f, 0.8f, 0.2f);
    for (int k = 0; k < 3; k++) {
        double M = momentos[k];
        if (M == 0) {
            continue;
        }
        double punta[3], media[3];
        movido(k, M * s, punta);
        movido(k, 0.7 * M * s, media);
        glLineWidth(2);
        drawFlechaCamara(p[0], p[1], p[2], punta[0], punta[1], punta[2]);
        drawFlechaCamara(p[0], p[1], p[2], media[0], media[1], media[2]);
        glLineWidth(1);
        drawNumFloatFacing(punta[0], punta[1], punta[2], std::fabs(M), precision, escalaTexto, 1);
    }
}

// Carga transversal qI..qF sobre el eje local (1: y, 2: z)
void plotCargaTransversal(objBarra3d& br, int eje, double qI, double qF, double s)
{
    double L = br.getLongitud();
    // Punto a la abscisa x con ordenada v sobre el eje de la carga
    auto punto = [eje](double x, double v, double q[3]) {
        q[0] = x;
        q[1] = eje == 1 ? v : 0;
        q[2] = eje == 2 ? v : 0;
    };
    empujarMarcoBarra(br);
    if (eje == 1) {
        glColor3f(0.2f, 0.2f, 0);
    } else {
        glColor3f(0, 0.2f, 0.2f);
    }
    glLineWidth(1);
    double cola[3];
    for (int j = 0; j <= 10; j++) {
        double x = j * L / 10;
        double q = qI + j * (qF - qI) / 10;
        punto(x, -q * s, cola);
        drawFlechaCamara(cola[0], cola[1], cola[2], x, 0, 0);
    }
    double ini[3], fin[3];
    punto(0, -qI * s, ini);
    punto(L, -qF * s, fin);
    glBegin(GL_LINES);
    glVertex3f(aFloat(ini[0]), aFloat(ini[1]), aFloat(ini[2]));
    glVertex3f(aFloat(fin[0]), aFloat(fin[1]), aFloat(fin[2]));
    glEnd();
    if (eje == 1) {
        glColor3f(0.7f, 0.7f, 0.3f);
    } else {
        glColor3f(0.3f, 0.7f, 0.7f);
    }
    punto(0.05 * L, -qI * s, ini);
    punto(0.95 * L, -qF * s, fin);
    drawNumFloat(ini[0], ini[1], ini[2], std::fabs(qI), precision, escalaTexto, 1);
    drawNumFloat(fin[0], fin[1], fin[2], std::fabs(qF), precision, escalaTexto, 3);
    glPopMatrix();
}

void plotCargaAxial(objBarra3d& br, double qI, double qF, double s)
{
    double L = br.getLongitud();
    empujarMarcoBarra(br);
    glColor3f(0.7f, 0.2f, 0.2f);
    glLineWidth(2);
    double u = (qI + qF) / 2 * s;
    for (int j = 0; j <= 10 && u != 0; j++) {
        double x = j * L / 10;
        drawFlechaCamara(x, 0, 0, u > 0 ? x + 1e-4 : x - 1e-4, 0, 0);
    }
    glColor3f(0.7f, 0.2f, 0.2f);
    glLineWidth(1);
    drawNumFloat(0.1 * L, 0.2 * escalaTexto, 0, std::fabs(qI), precision, escalaTexto, 1);
    drawNumFloat(0.9 * L, 0.2 * escalaTexto, 0, std::fabs(qF), precision, escalaTexto, 3);
    glPopMatrix();
}

void plotTorsorDistribuido(objBarra3d& br, double mt)
{
    double L = br.getLongitud();
    empujarMarcoBarra(br);
    glColor3f(0.2f, 0.2f, 0.2f);
    glLineWidth(1);
    for (int j = 0; j <= 10; j++) {
        glPushMatrix();
        glTranslatef(aFloat(j * L / 10), 0, 0);
        glRotatef(mt > 0 ? -90.0f : 90.0f, 0, 1, 0);
        plotArcoXY(L / 40, -90, 180);
        drawFlecha(L / 1000, -L / 40 + L / 3000, 0, 0, -L / 40, 0, L / 80);
        glPopMatrix();
    }
    glColor3f(0.3f, 0.3f, 0.3f);
    drawNumFloat(0.5 * L, L / 38, 0, std::fabs(mt), precision, escalaTexto, 2);
    glPopMatrix();
}

bool supera(double qI, double qF) { return std::fabs(qI) > umbralCarga || std::fabs(qF) > umbralCarga; }

}  // namespace

void plotCarga(int c, double s)
{
    for (int i = 0; i < cantidadNudos(); i++) {
        if (visible(nudosAislados, i)) {
            plotCargasNudo(nudo[static_cast<size_t>(i)], c, s);
        }
    }
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) {
            continue;
        }
        objBarra3d& br = barra[static_cast<size_t>(i)];
        double qyI = br.getFyIniCombo(c), qyF = br.getFyFinCombo(c);
        double qzI = br.getFzIniCombo(c), qzF = br.getFzFinCombo(c);
        double qxI = br.getFxIniCombo(c), qxF = br.getFxFinCombo(c);
        double mt = br.getTCombo(c);
        if (supera(qyI, qyF)) {
            plotCargaTransversal(br, 1, qyI, qyF, s);
        }
        if (supera(qzI, qzF)) {
            plotCargaTransversal(br, 2, qzI, qzF, s);
        }
        if (supera(qxI, qxF)) {
            plotCargaAxial(br, qxI, qxF, s);
        }
        if (std::fabs(mt) > umbralCarga) {
            plotTorsorDistribuido(br, mt);
        }
    }
}
