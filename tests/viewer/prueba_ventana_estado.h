// Fixture de las pruebas del núcleo del visor: estado guardado y repuesto,
// modelos chicos con nudos y combos.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "viewer/prueba_estado_visor.h"

class PruebaNucleoVisor : public ::testing::Test {
protected:
    void SetUp() override { reiniciarModelo(); }

    // Nudos con esas coordenadas (numeración interna en orden), sin barras
    static void ponerNudos(const std::vector<std::array<double, 3>>& xyz)
    {
        armarModeloPrueba(xyz, {}, 1);
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

private:
    EstadoVisorGuardado estado;
};
