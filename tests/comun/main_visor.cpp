// main de las pruebas del visor: abre una ventana freeglut real (Xvfb con
// Mesa) de 1000 x 800 y corre las pruebas con su contexto.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "viewer/funcionPlot.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Letras y esfera ya leídas antes de que una prueba abra el modo feedback
    funcionAbrirVentana(argc, argv, "pruebas del visor");
    glutDisplayFunc([] {});
    for (int i = 0; i < 5; i++) glutMainLoopEvent();
    return RUN_ALL_TESTS();
}
