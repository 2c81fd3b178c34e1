// Dibujos del modelo: ejes, nudos, barras, articulaciones, números,
// secciones y volumen.
#include <algorithm>
#include <initializer_list>
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

// Contorno en la abscisa x, como tramos sueltos entre puntos seguidos, en el
// color dado (dentro del glBegin, como todo tramo que en la escena grabada
// sigue a otro sin cambio de matriz) o en el actual
void trazarContorno(const MatrixXd& c, double x, const Color* color = nullptr)
{
    glBegin(GL_LINES);
    if (color) ponerColor(*color);
    for (Eigen::Index k = 0; k + 1 < c.cols(); k++) {
        verticeContorno(c, k, x);
        verticeContorno(c, k + 1, x);
    }
    glEnd();
}

// Esquinas de la cara lateral k del sólido: del punto k al k + 1, de x = 0 a x = L
void esquinaCara(const MatrixXd& c, Eigen::Index k, double L, int esquina)
{
    const Eigen::Index punto[4] = {k, k + 1, k + 1, k};
    const double x[4] = {0, 0, L, L};
    verticeContorno(c, punto[esquina], x[esquina]);
}

// La cara como los dos triángulos (0, 1, 2) y (0, 2, 3) en que Mesa parte el
// cuadrilátero al dibujarlo directamente: grabado en una lista lo partiría por
// la otra diagonal, y cambiarían los empates de profundidad con su borde. El
// color va dentro del glBegin: la escena grabada no se corta en cada cara.
void caraLateral(const MatrixXd& c, Eigen::Index k, double L, const Color& color)
{
    glBegin(GL_TRIANGLES);
    ponerColor(color);
    for (int esquina : {0, 1, 2, 0, 2, 3}) esquinaCara(c, k, L, esquina);
    glEnd();
}

void bordeCara(const MatrixXd& c, Eigen::Index k, double L, const Color& color)
{
    glBegin(GL_LINE_LOOP);
    ponerColor(color);
    for (int esquina = 0; esquina < 4; esquina++) esquinaCara(c, k, L, esquina);
    glEnd();
}

Color colorRelleno(int tipo)
{
    switch (tipo) {
    case codigoSeccionGenerica: return {0.3f, 0.0f, 0.0f};
    case codigoSeccionRectangular: return {0.8f, 0.8f, 0.2f};
    case codigoSeccionCostanera: return {0.2f, 0.8f, 0.2f};
    case codigoSeccionW: return {0.8f, 0.2f, 0.8f};
    default: return {0.2f, 0.5f, 0.9f};  // placa y cualquier otro
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
        glBegin(GL_LINES);
        if (b.getBoolSeccion()) {
            glColor3f(0.5f, 0.5f, 0.5f);
        } else {
            glColor3f(0.9f, 0.1f, 0.1f);
        }
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
        const Color relleno = colorRelleno(tipo);
        const Color blanco = {1, 1, 1};
        glLineWidth(1);
        for (Eigen::Index k = 0; k + 1 < c.cols(); k++) {
            caraLateral(c, k, L, relleno);
            bordeCara(c, k, L, blanco);
        }
        glLineWidth(2);
        trazarContorno(c, 0, &blanco);
        trazarContorno(c, L, &blanco);
        glPopMatrix();
    }
}
