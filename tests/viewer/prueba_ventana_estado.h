// Fixture de las pruebas del núcleo del visor: guarda y repone el estado
// global y el de OpenGL, y arma modelos chicos con nudos y combos.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "viewer/funcionPlot.h"

class PruebaNucleoVisor : public ::testing::Test {
protected:
    void SetUp() override
    {
        flagsAntes = flags;
        camaraAntes = {xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, diagonal, distCamObj,
                  xMin, xMax, yMin, yMax, zMin, zMax, deltaAngHoriz, deltaAngVert};
        raton = {clickIzq, clickCentro, xLast, yLast, xClickIzq, yClickIzq, wVentana, hVentana};
        dialogoAntes = dialogo;
        comandoAntes = comando;
        glGetDoublev(GL_PROJECTION_MATRIX, proyeccion.data());
        glGetDoublev(GL_MODELVIEW_MATRIX, vista.data());
        glGetIntegerv(GL_VIEWPORT, puerto.data());
        profundidad = glIsEnabled(GL_DEPTH_TEST);
        reiniciarModelo();
    }

    void TearDown() override
    {
        reiniciarModelo();
        flags = flagsAntes;
        double* c[] = {&xCam, &yCam, &zCam, &xCentroObj, &yCentroObj, &zCentroObj, &diagonal,
                       &distCamObj, &xMin, &xMax, &yMin, &yMax, &zMin, &zMax, &deltaAngHoriz,
                       &deltaAngVert};
        for (size_t i = 0; i < camaraAntes.size(); i++) *c[i] = camaraAntes[i];
        int* r[] = {&clickIzq, &clickCentro, &xLast, &yLast, &xClickIzq, &yClickIzq, &wVentana,
                    &hVentana};
        for (size_t i = 0; i < raton.size(); i++) *r[i] = raton[i];
        dialogo = dialogoAntes;
        comando = comandoAntes;
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixd(proyeccion.data());
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixd(vista.data());
        glViewport(puerto[0], puerto[1], puerto[2], puerto[3]);
        if (profundidad) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
    }

    // Nudos con esas coordenadas (numeración interna en orden)
    static void ponerNudos(const std::vector<std::array<double, 3>>& xyz)
    {
        nudo.clear();
        for (size_t i = 0; i < xyz.size(); i++) {
            nudo.emplace_back();
            nudo.back().setNoNudoUsuario(static_cast<int>(i) + 1);
            nudo.back().setNoNudoInterno(static_cast<int>(i));
            nudo.back().setCoordenadas(xyz[i][0], xyz[i][1], xyz[i][2]);
        }
        noNudos = static_cast<int>(xyz.size());
    }

    // Un nudo con n combos "C0", "C1", ...
    static void ponerCombos(int n)
    {
        ponerNudos({{0, 0, 0}});
        for (int i = 0; i < n; i++) nudo[0].setCombo("C" + std::to_string(i), 1.0, "caso");
        noCombos = n;
    }

    // Proyección del programa para la ventana de pruebas de 1000 x 800
    static void proyeccionPrograma(bool perspectiva, int w = 1000, int h = 800)
    {
        flags[flagPerspectiva] = perspectiva ? 1 : 0;
        changeSize(w, h);
    }

    static std::array<double, 16> matrizProyeccion()
    {
        std::array<double, 16> m{};
        glGetDoublev(GL_PROJECTION_MATRIX, m.data());
        return m;
    }

private:
    std::vector<int> flagsAntes;
    std::array<double, 16> camaraAntes{};
    std::array<int, 8> raton{};
    std::string dialogoAntes, comandoAntes;
    std::array<double, 16> proyeccion{}, vista{};
    std::array<int, 4> puerto{};
    GLboolean profundidad = GL_FALSE;
};
