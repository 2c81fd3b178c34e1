// Estado global al arrancar.
#include <gtest/gtest.h>

#include "app/zurezar3o.h"

TEST(Globales, ValoresDeConstruccion)
{
    // Este ejecutable no toca el estado: se ve tal como quedó construido
    EXPECT_TRUE(nombreArchivo.empty());
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    EXPECT_EQ(noCombos, 0);
    EXPECT_TRUE(nudo.empty());
    EXPECT_TRUE(barra.empty());
    EXPECT_EQ(punteroNudos.size(), 0);
    EXPECT_EQ(punteroBarras.size(), 0);
    for (double v : {escalaTexto, escalaDef, escalaMy, escalaMz, escalaVy, escalaVz, escalaN,
                     escalaT, escalaApoyo, escalaCarga, xMin, xMax, yMin, yMax, zMin, zMax, xCam,
                     yCam, zCam, xCentroObj, yCentroObj, zCentroObj, diagonal, distCamObj,
                     deltaAngHoriz, deltaAngVert}) {
        EXPECT_EQ(v, 0.0);
    }
    for (int v : {precision, clickIzq, clickCentro, xLast, yLast, xClickIzq, yClickIzq, wVentana,
                  hVentana}) {
        EXPECT_EQ(v, 0);
    }
    EXPECT_EQ(dialogo, "Comando:");
    EXPECT_TRUE(comando.empty());
    ASSERT_EQ(flags.size(), 200u);
    for (int f : flags) EXPECT_EQ(f, 0);
    EXPECT_EQ(barrasAisladas.size(), 0);
    EXPECT_EQ(nudosAislados.size(), 0);
    EXPECT_EQ(u.size(), 0);
    EXPECT_EQ(reacciones.size(), 0);
    EXPECT_EQ(kEstructura.size(), 0);
    EXPECT_EQ(pEstructura.size(), 0);
    EXPECT_EQ(fEstructura.size(), 0);
    EXPECT_EQ(restriccionesEstructura.size(), 0);
    EXPECT_EQ(PI, 3.141592653589793);
    EXPECT_EQ(numeroComboCoincidente, -1);
}
