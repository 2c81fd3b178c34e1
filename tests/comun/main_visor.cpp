// main de las pruebas del visor: abre una ventana freeglut real (Xvfb con
// Mesa) de 1000 x 800 y corre las pruebas con su contexto.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "viewer/lotePlot.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 10);
    glutInitWindowSize(1000, 800);
    glutCreateWindow("pruebas del visor");
    glutDisplayFunc([] {});
    for (int i = 0; i < 5; i++) glutMainLoopEvent();
    // Letras y esfera leídas antes de que una prueba abra el modo feedback
    lotePrepararFormas();
    return RUN_ALL_TESTS();
}
