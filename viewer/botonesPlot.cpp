// Botones del panel: cara, etiqueta y atención del clic pendiente.
#include "viewer/botonesPlot.h"

#include <GL/freeglut.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

namespace {

struct EstiloBoton {
    double z;          // profundidad de la cara
    Color encendido;   // etiqueta con el flag impar
    Color apagado;
    double desfase;    // línea base de la etiqueta sobre el borde inferior
};

const EstiloBoton estiloFlag = {-0.001, {0.7, 1, 0}, {0.2, 0.3, 0}, 3};
const EstiloBoton estiloCombo = {-0.01, {0, 1, 0}, {0, 0.3, 0}, 1};

// Dibuja el botón de la entrada i de flags; true si el clic pendiente cae adentro
bool boton(double x, double y, double w, double h, const std::string& label, int i,
           const EstiloBoton& e)
{
    bool on = flagEncendido(i);
    double c = on ? 0.3 : 0.1;
    glColor3d(c, c, 0);
    glBegin(GL_QUADS);
    glVertex3d(x, y + h, e.z);
    glVertex3d(x, y, e.z);
    glVertex3d(x + w, y, e.z);
    glVertex3d(x + w, y + h, e.z);
    glEnd();

    glDisable(GL_DEPTH_TEST);
    const Color& t = on ? e.encendido : e.apagado;
    ponerColor(t);
    glRasterPos3d(x + 5, y + h - e.desfase, 0);
    std::string texto = funcionUtf8ALatin1(label);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(texto.c_str()));
    glEnable(GL_DEPTH_TEST);

    if (x < xClickIzq && xClickIzq < x + w && y < yClickIzq && yClickIzq < y + h) {
        xClickIzq = 0;
        yClickIzq = 0;
        return true;
    }
    return false;
}

bool indiceValido(int i) { return i >= 0 && i < static_cast<int>(flags.size()); }

}  // namespace

void botonFlag(double x, double y, double w, double h, std::string label, int index)
{
    if (!indiceValido(index)) return;
    if (boton(x, y, w, h, label, index, estiloFlag)) modificadorFlagsGraf(index);
}

void botonCombo(double x, double y, double w, double h, std::string label, int k)
{
    // Sin interruptor en flags no hay botón
    if (k < 0 || k >= maxCombosFlags || !indiceValido(flagCombos + k)) return;
    if (boton(x, y, w, h, label, flagCombos + k, estiloCombo)) flags[flagCombos + k]++;
}
