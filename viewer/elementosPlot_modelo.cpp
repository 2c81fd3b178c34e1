// Dibujos del modelo: ejes, nudos, barras, articulaciones, números,
// secciones y volumen.
#include <algorithm>
#include <string>
#include <vector>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

namespace {

// Punto k del contorno en la abscisa x del marco de la barra
void verticeContorno(const MatrixXd& c, Eigen::Index k, double x)
{
    glVertex3f(aFloat(x), aFloat(c(1, k)), aFloat(c(0, k)));
}

// Contorno en la abscisa x, como tramos sueltos entre puntos seguidos
void trazarContorno(const MatrixXd& c, double x)
{
    glBegin(GL_LINES);
    for (Eigen::Index k = 0; k + 1 < c.cols(); k++) {
        verticeContorno(c, k, x);
        verticeContorno(c, k + 1, x);
    }
    glEnd();
}

// Cara lateral k del sólido: del punto k al k + 1, de x = 0 a x = L
void caraLateral(GLenum modo, const MatrixXd& c, Eigen::Index k, double L)
{
    glBegin(modo);
    verticeContorno(c, k, 0);
    verticeContorno(c, k + 1, 0);
    verticeContorno(c, k + 1, L);
    verticeContorno(c, k, L);
    glEnd();
}

void colorRelleno(int tipo)
{
    switch (tipo) {
    case codigoSeccionGenerica: glColor3f(0.3f, 0.0f, 0.0f); break;
    case codigoSeccionRectangular: glColor3f(0.8f, 0.8f, 0.2f); break;
    case codigoSeccionCostanera: glColor3f(0.2f, 0.8f, 0.2f); break;
    case codigoSeccionW: glColor3f(0.8f, 0.2f, 0.8f); break;
    default: glColor3f(0.2f, 0.5f, 0.9f); break;  // placa y cualquier otro
    }
}

void ejeConLetra(double a, double dx, double dy, double dz, const char* letra)
{
    drawFlecha(0, 0, 0, a * dx, a * dy, a * dz, 0.1 * a);
    drawTextoEscaladoFacing(1.1 * a * dx, 1.1 * a * dy, 1.1 * a * dz, letra, a / 5, 2);
}

// Circulito de articulación en la abscisa x, en el plano x-y o girado al x-z
void circuloArticulacion(double x, double r, bool planoXZ)
{
    glPushMatrix();
    glTranslatef(aFloat(x), 0, 0);
    if (planoXZ) glRotatef(90, 1, 0, 0);
    plotArcoXY(r, 0, 360);
    glPopMatrix();
}

// Barras sin sección que ya avisaron con el modelo cargado
std::vector<bool> avisoSinSeccion;

// true la primera vez que se pregunta por la barra i en este modelo
bool primerAvisoSinSeccion(int i)
{
    if (i >= static_cast<int>(avisoSinSeccion.size())) {
        avisoSinSeccion.resize(static_cast<size_t>(std::max(i + 1, cantidadBarras())), false);
    }
    if (avisoSinSeccion[static_cast<size_t>(i)]) return false;
    avisoSinSeccion[static_cast<size_t>(i)] = true;
    return true;
}

}  // namespace

void reiniciarAvisosSecciones() { avisoSinSeccion.clear(); }

void plotEjes()
{
    double a = diagonal / 15;
    glLineWidth(1);
    glPushMatrix();
    glTranslatef(aFloat(-a / 2), aFloat(-a / 2), 0);
    glColor3f(1, 0, 0);
    ejeConLetra(a, 1, 0, 0, "X");
    glColor3f(0, 1, 0);
    ejeConLetra(a, 0, 1, 0, "Y");
    glColor3f(0, 0, 1);
    ejeConLetra(a, 0, 0, 1, "Z");
    glPopMatrix();
}

void plotNudos()
{
    if (!flagEncendido(flagNudos)) return;
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) continue;
        glPushMatrix();
        glTranslatef(aFloat(nudo[i].getX()), aFloat(nudo[i].getY()), aFloat(nudo[i].getZ()));
        glLineWidth(1);
        glColor3f(0.7f, 0, 0);
        glutSolidSphere(diagonal / 300, 12, 12);
        glPopMatrix();
    }
}

void plotBarras()
{
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        glLineWidth(3);
        if (b.getBoolSeccion()) {
            glColor3f(0.5f, 0.5f, 0.5f);
        } else {
            glColor3f(0.9f, 0.1f, 0.1f);
        }
        glBegin(GL_LINES);
        glVertex3f(aFloat(b.getXi()), aFloat(b.getYi()), aFloat(b.getZi()));
        glVertex3f(aFloat(b.getXf()), aFloat(b.getYf()), aFloat(b.getZf()));
        glEnd();
    }
}

void plotArticulaciones()
{
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        // truncado hacia cero: 0.5 cuenta como articulado
        int iniY = static_cast<int>(b.getArtIniY());
        int finY = static_cast<int>(b.getArtFinY());
        int iniZ = static_cast<int>(b.getArtIniZ());
        int finZ = static_cast<int>(b.getArtFinZ());
        double r = diagonal / 300;
        double L = b.getLongitud();
        glLineWidth(1);
        empujarMarcoBarra(b);
        glColor3f(0.1f, 0.7f, 0.1f);
        if (iniY != 1) circuloArticulacion(0.05 * L, r, false);
        if (finY != 1) circuloArticulacion(0.95 * L, r, false);
        glColor3f(0.1f, 0.7f, 0.7f);
        if (iniZ != 1) circuloArticulacion(0.05 * L, r, true);
        if (finZ != 1) circuloArticulacion(0.95 * L, r, true);
        glPopMatrix();
    }
}

void plotTagNudos(double h)
{
    double d = distCamObj / 200;
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) continue;
        objNudo3d& n = nudo[i];
        glColor3f(0.9f, 0.2f, 0.2f);
        glLineWidth(1);
        drawNumFloatFacing(n.getX() + d, n.getY() + d, n.getZ() + d, n.getNoNudoUsuario(), 0, h, 1);
    }
}

void plotTagBarras(double h)
{
    double d = distCamObj / 200;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        glLineWidth(1);
        glColor3f(0.8f, 0.8f, 0.8f);
        drawNumFloatFacing((b.getXi() + b.getXf()) / 2 + d, (b.getYi() + b.getYf()) / 2 + d,
                           (b.getZi() + b.getZf()) / 2 + d, b.getNoBarraUsuario(), 0, h, 2);
    }
}

void plotSecciones(double h)
{
    double d = distCamObj / 200;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        // Sin sección el nombre es vacío y la barra avisa una vez, no en cada cuadro
        std::string nombre;
        if (b.getBoolSeccion() || primerAvisoSinSeccion(i)) nombre = b.getNombreDeSeccion();
        glLineWidth(1);
        glColor3f(0.8f, 0.8f, 0.8f);
        drawTextoEscaladoFacing((b.getXi() + b.getXf()) / 2 + d, (b.getYi() + b.getYf()) / 2 + d,
                                (b.getZi() + b.getZf()) / 2 + d, nombre.c_str(), h, 2);
        empujarMarcoBarra(b);
        glTranslatef(aFloat(b.getLongitud() / 4), 0, 0);
        glLineWidth(1);
        glColor3f(0.3f, 0.3f, 0.3f);
        trazarContorno(b.getPerimetroSeccion(), 0);
        glPopMatrix();
    }
}

void plotVolumen()
{
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        empujarMarcoBarra(b);
        MatrixXd c = b.getPerimetroSeccion();
        int tipo = b.getCodigoSeccion();
        double L = b.getLongitud();
        for (Eigen::Index k = 0; k + 1 < c.cols(); k++) {
            colorRelleno(tipo);
            caraLateral(GL_QUADS, c, k, L);
            glColor3f(1, 1, 1);
            glLineWidth(1);
            caraLateral(GL_LINE_LOOP, c, k, L);
        }
        glColor3f(1, 1, 1);
        glLineWidth(2);
        trazarContorno(c, 0);
        trazarContorno(c, L);
        glPopMatrix();
    }
}
