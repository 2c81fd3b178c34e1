// Ventana, proyección, caja del modelo, cámara de inicio y cuadro.
#include "viewer/funcionPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/lotePlot.h"

namespace {

// La escena en el orden del cuadro: modelo, etiquetas y resultados
void escena()
{
    if (flagEncendido(flagEjes)) plotEjes();
    if (noNudos != 0) plotNudos();
    if (noBarras != 0) {
        plotBarras();
        plotArticulaciones();
    }
    if (flagEncendido(flagTagNudos)) plotTagNudos(escalaTexto);
    if (flagEncendido(flagTagBarras)) plotTagBarras(escalaTexto);
    if (flagEncendido(flagSecciones)) plotSecciones(escalaTexto);
    if (flagEncendido(flagVolumen)) plotVolumen();
    if (flagEncendido(flagApoyos)) plotApoyos(escalaApoyo);

    // Solo los combos con interruptor en flags
    int combos = std::min(noCombos, maxCombosFlags);
    for (const TipoResultado& t : tiposResultado) {
        if (!flagEncendido(t.flag)) continue;
        for (int c = 0; c < combos; c++) {
            if (flagEncendido(flagCombos + c)) t.dibujo(c, t.escala ? *t.escala : 0.0);
        }
    }
}

}  // namespace

void funcionAbrirVentana(int& argc, char** argv, const char* titulo)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 10);
    glutInitWindowSize(1000, 800);
    glutCreateWindow(titulo);
    lotePrepararFormas();
}

void funcionPlot(int argc, char** argv)
{
    funcionAbrirVentana(argc, argv, "Tresnal 3D v6.1");

    funcionFlagsInicio();
    funcionCacheDibujo(Cache::encendida);
    glEnable(GL_DEPTH_TEST);
    funcionVistaNuevoModelo();

    glutDisplayFunc(draw);
    glutReshapeFunc(changeSize);
    glutIdleFunc(draw);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMove);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(tecladoEspecial);
    glutMainLoop();
    // El lazo no vuelve; si lo hiciera, el programa termina igual
    std::exit(0);
}

void changeSize(int w, int h)
{
    if (h == 0) h = 1;
    if (w < 600 || h < 400) {
        glutReshapeWindow(std::max(w, 600), std::max(h, 400));
        return;
    }
    glViewport(0, 0, w, h);
    wVentana = w;
    hVentana = h;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double a = static_cast<double>(w) / h;
    double d = distCamObj;
    if (flagEncendido(flagPerspectiva)) {
        gluPerspective(45.0, a, 0.01f, 1e6);
    } else if (w <= h) {
        glOrtho(-d / 2, d / 2, -d / (2 * a), d / (2 * a), -1e6, 1e6);
    } else {
        glOrtho(-d * a / 2, d * a / 2, -d / 2, d / 2, -1e6, 1e6);
    }
    glMatrixMode(GL_MODELVIEW);
}

void funcionAplicarProyeccion()
{
    wVentana = glutGet(GLUT_WINDOW_WIDTH);
    hVentana = glutGet(GLUT_WINDOW_HEIGHT);
    changeSize(wVentana, hVentana);
}

void funcionVistaNuevoModelo()
{
    barrasAisladas = VectorXi::Ones(std::max(0, noBarras));
    nudosAislados = VectorXi::Ones(std::max(0, noNudos));
    reiniciarAvisosSecciones();
    funcionFronteraGraf();
}

void funcionFronteraGraf()
{
    // Caja del origen y de todos los nudos
    xMin = xMax = yMin = yMax = zMin = zMax = 0;
    for (int i = 0; i < cantidadNudos(); i++) {
        xMin = std::min(xMin, nudo[i].getX());
        xMax = std::max(xMax, nudo[i].getX());
        yMin = std::min(yMin, nudo[i].getY());
        yMax = std::max(yMax, nudo[i].getY());
        zMin = std::min(zMin, nudo[i].getZ());
        zMax = std::max(zMax, nudo[i].getZ());
    }
    // Sin extensión (ningún nudo, o todos en el origen): el cubo unitario
    if (xMin == xMax && yMin == yMax && zMin == zMax) {
        xMin = yMin = zMin = 0;
        xMax = yMax = zMax = 1;
    }
    diagonal = std::pow(std::pow(xMax - xMin, 2) + std::pow(yMax - yMin, 2) +
                            std::pow(zMax - zMin, 2),
                        0.5);
    xCentroObj = (xMin + xMax) / 2;
    yCentroObj = (yMin + yMax) / 2;
    zCentroObj = (zMin + zMax) / 2;
    xCam = xCentroObj - diagonal;
    yCam = yCentroObj - diagonal;
    zCam = zMax + diagonal / 2;
    actualizarDistanciaCamara();
}

void draw()
{
    funcionDibujarCuadro();
    glFlush();
    glutSwapBuffers();
}

void funcionDibujarCuadro()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);

    // Primero el panel: un botón pulsado cambia los flags de este mismo cuadro
    plotDialogo();
    funcionDibujarEscena(escena);
}
