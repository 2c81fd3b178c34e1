// Símbolos de apoyo en ejes globales, según los seis códigos del nudo.
#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"

namespace {

// Casos del símbolo, en el orden en que se prueban
enum CasoApoyo {
    apoyoEmpotrado = 1,
    apoyoArticulado = 2,
    apoyoRodilloXY = 3,
    apoyoRodilloY = 4,
    apoyoRodilloX = 5,
    apoyoOtro = 6,
    apoyoLibre = 7
};

bool codigosSon(const VectorXi& c, int ux, int uy, int uz, int rx, int ry, int rz)
{
    return c(0) == ux && c(1) == uy && c(2) == uz && c(3) == rx && c(4) == ry && c(5) == rz;
}

CasoApoyo casoDeApoyo(const VectorXi& c)
{
    if (c.size() < 6) return apoyoLibre;
    if (codigosSon(c, 1, 1, 1, 1, 1, 1)) return apoyoEmpotrado;
    if (codigosSon(c, 1, 1, 1, 0, 0, 0)) return apoyoArticulado;
    if (codigosSon(c, 0, 0, 1, 0, 0, 0)) return apoyoRodilloXY;
    if (codigosSon(c, 1, 0, 1, 0, 0, 0)) return apoyoRodilloY;
    if (codigosSon(c, 0, 1, 1, 0, 0, 0)) return apoyoRodilloX;
    long suma = 0;
    for (int k = 0; k < 6; k++) suma += c(k);
    return suma > 0 ? apoyoOtro : apoyoLibre;
}

void linea(float x1, float y1, float z1, float x2, float y2, float z2)
{
    glVertex3f(x1, y1, z1);
    glVertex3f(x2, y2, z2);
}

const float base = -1.3f;

// Cruz de la base: cada línea en su tanda o las dos juntas
void cruzBase(bool juntas)
{
    glBegin(GL_LINES);
    linea(-1, 0, base, 1, 0, base);
    if (!juntas) {
        glEnd();
        glBegin(GL_LINES);
    }
    linea(0, -1, base, 0, 1, base);
    glEnd();
}

void patasXZ()
{
    linea(-0.75f, 0, base, 0, 0, 0);
    linea(0.75f, 0, base, 0, 0, 0);
}

void patasYZ()
{
    linea(0, -0.75f, base, 0, 0, 0);
    linea(0, 0.75f, base, 0, 0, 0);
}

// Círculos de radio 0.65 que tocan el nudo arriba y la base abajo,
// en el plano X-Z y/o en el Y-Z, bajo la matriz ya empujada
void circulos(bool planoXZ, bool planoYZ)
{
    glTranslatef(0, 0, -0.65f);
    glRotatef(90, 1, 0, 0);
    if (planoXZ) plotArcoXY(0.65, 0, 360);
    if (planoYZ) {
        glRotatef(90, 0, 1, 0);
        plotArcoXY(0.65, 0, 360);
    }
}

void dibujarCaso(CasoApoyo caso)
{
    switch (caso) {
    case apoyoEmpotrado:
        glLineWidth(3);
        glBegin(GL_LINES);
        linea(-1, 0, 0, 1, 0, 0);
        glEnd();
        glLineWidth(1);
        glBegin(GL_LINES);
        linea(-1, 0, -0.6f, -0.67f, 0, 0);
        linea(-0.67f, 0, -0.6f, -0.33f, 0, 0);
        linea(-0.33f, 0, -0.6f, 0, 0, 0);
        linea(0, 0, -0.6f, 0.33f, 0, 0);
        linea(0.33f, 0, -0.6f, 0.67f, 0, 0);
        glEnd();
        break;
    case apoyoArticulado:
        glLineWidth(3);
        cruzBase(true);
        glLineWidth(1);
        glBegin(GL_LINES);
        patasXZ();
        patasYZ();
        glEnd();
        break;
    case apoyoRodilloXY:
    case apoyoRodilloY:
    case apoyoRodilloX:
        glLineWidth(3);
        cruzBase(false);
        glLineWidth(1);
        glPushMatrix();
        circulos(caso != apoyoRodilloY, caso != apoyoRodilloX);
        glPopMatrix();
        if (caso != apoyoRodilloXY) {
            glBegin(GL_LINES);
            if (caso == apoyoRodilloY) {
                patasXZ();
            } else {
                patasYZ();
            }
            glEnd();
        }
        break;
    case apoyoOtro:
        glLineWidth(2);
        glBegin(GL_LINES);
        linea(-1, 0, 0, 1, 0, 0);
        glEnd();
        glBegin(GL_LINES);
        linea(0, -1, 0, 0, 1, 0);
        glEnd();
        glBegin(GL_LINES);
        linea(0, 0, -1, 0, 0, 1);
        glEnd();
        break;
    case apoyoLibre:
        break;
    }
}

}  // namespace

void plotApoyos(double s)
{
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) continue;
        VectorXi codigos = nudo[i].getVectorApoyo();
        CasoApoyo caso = casoDeApoyo(codigos);
        if (caso == apoyoLibre) continue;
        double tam = s == 0 ? diagonal / 50 : s;
        glPushMatrix();
        glTranslatef(aFloat(nudo[i].getX()), aFloat(nudo[i].getY()), aFloat(nudo[i].getZ()));
        glScalef(aFloat(tam), aFloat(tam), aFloat(tam));
        glColor3f(0.8f, 0.8f, 0.3f);
        dibujarCaso(caso);
        glPopMatrix();
    }
}
