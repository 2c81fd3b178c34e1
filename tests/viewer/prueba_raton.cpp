// Ratón: estados de botones, órbita, paneo y zoom.
#include <cmath>

#include "prueba_ventana_estado.h"

namespace {

using Raton = PruebaNucleoVisor;

void esperarOjo(double x, double y, double z, double tol = 1e-9)
{
    EXPECT_NEAR(xCam, x, tol);
    EXPECT_NEAR(yCam, y, tol);
    EXPECT_NEAR(zCam, z, tol);
}

}  // namespace

TEST_F(Raton, BotonesYClicPendiente)
{
    struct Evento {
        int boton, estado, x, y;
        int clickIzq, clickCentro, xLast, yLast, xClick, yClick;  // estado después
    };
    // Secuencia: cada fila parte de lo que dejó la anterior
    const Evento eventos[] = {
        {0, 0, 15, 25, 1, 0, 15, 25, 0, 0},        // izquierdo apretado: borra el clic
        {0, 1, 40, 50, -1, 0, 15, 25, 40, 50},     // soltado: clic pendiente
        {1, 0, 60, 70, -1, 1, 60, 70, 40, 50},     // central apretado
        {1, 1, 80, 90, -1, -1, 60, 70, 40, 50},    // central soltado
        {2, 0, 11, 12, -1, -1, 60, 70, 40, 50},    // derecho: nada
        {2, 1, 11, 12, -1, -1, 60, 70, 40, 50},
        {0, 0, 5, 6, 1, -1, 5, 6, 0, 0},           // nuevo clic izquierdo
    };
    ponerCamara(-10, 0, 0, 0, 0, 0);
    for (const Evento& e : eventos) {
        SCOPED_TRACE(std::to_string(e.boton) + "/" + std::to_string(e.estado));
        mouseButton(e.boton, e.estado, e.x, e.y);
        EXPECT_EQ(clickIzq, e.clickIzq);
        EXPECT_EQ(clickCentro, e.clickCentro);
        EXPECT_EQ(xLast, e.xLast);
        EXPECT_EQ(yLast, e.yLast);
        EXPECT_EQ(xClickIzq, e.xClick);
        EXPECT_EQ(yClickIzq, e.yClick);
        esperarOjo(-10, 0, 0, 0);  // ningún botón mueve la cámara
    }
    // La rueda: apretar no hace nada, soltar da un paso de zoom
    flags[flagPerspectiva] = 1;
    mouseButton(3, 0, 1, 1);
    mouseButton(4, 0, 1, 1);
    esperarOjo(-10, 0, 0, 0);
    mouseButton(3, 1, 1, 1);
    esperarOjo(-9, 0, 0);
    mouseButton(4, 1, 1, 1);
    esperarOjo(-9.9, 0, 0);
}

TEST_F(Raton, OrbitaConPasoDeSimplePrecision)
{
    clickIzq = 0;
    // Ojo a 10 del punto mirado sobre +X; cada fila es un arrastre desde (200, 200)
    struct Caso {
        int dx, dy;
        double deltaH, deltaV;  // pasos en simple precisión, calculados aparte
        double a, e;            // azimut y elevación esperados
    };
    const Caso casos[] = {
        {10, 0, 0.030000001192092896, 0, -0.030000001192092896, 0},
        {100, 0, 0.30000001192092896, 0, -0.30000001192092896, 0},
        {-37, 0, -0.11100000143051147, 0, 0.11100000143051147, 0},
        {0, 100, 0, 0.30000001192092896, 0, 0.30000001192092896},
        {0, -37, 0, -0.11100000143051147, 0, -0.11100000143051147},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        ponerCamara(11, 2, 3, 1, 2, 3);
        mouseButton(1, 0, 200, 200);
        mouseMove(200 + c.dx, 200 + c.dy);
        EXPECT_EQ(deltaAngHoriz, c.deltaH);
        EXPECT_EQ(deltaAngVert, c.deltaV);
        esperarOjo(1 + 10 * std::cos(c.e) * std::cos(c.a), 2 + 10 * std::cos(c.e) * std::sin(c.a),
                   3 + 10 * std::sin(c.e));
        EXPECT_NEAR(distCamObj, 10, 1e-12);
        EXPECT_EQ(xLast, 200 + c.dx);
        EXPECT_EQ(yLast, 200 + c.dy);
        mouseButton(1, 1, 0, 0);
    }

    // Ojo del lado -Y (dy < 0): azimut 3/2 pi; a la derecha gira en sentido horario
    ponerCamara(0, -10, 0, 0, 0, 0);
    mouseButton(1, 0, 0, 0);
    mouseMove(100, 0);
    double a = 1.5 * PI - 0.30000001192092896;
    esperarOjo(10 * std::cos(a), 10 * std::sin(a), 0);
    mouseButton(1, 1, 0, 0);
}

TEST_F(Raton, OrbitaSeDetieneEnLaVertical)
{
    ponerCamara(-10, 0, 0, 2, 0, 0);  // r = 12, azimut pi
    mouseButton(1, 0, 0, 0);
    mouseMove(0, 1000);  // 3 radianes hacia arriba: tope en pi/2
    esperarOjo(2, 0, 12, 1e-9);
    EXPECT_NEAR(distCamObj, 12, 1e-12);
    mouseMove(0, 1100);  // más arriba: no cambia
    esperarOjo(2, 0, 12, 1e-9);
    // De vuelta hacia abajo sigue con el mismo azimut
    mouseMove(0, 1000);
    esperarOjo(2 - 12 * std::sin(0.30000001192092896), 0, 12 * std::cos(0.30000001192092896),
               1e-9);
    mouseMove(0, -2000);  // hacia abajo: tope en -pi/2
    esperarOjo(2, 0, -12, 1e-9);
    mouseButton(1, 1, 0, 0);
}

TEST_F(Raton, PaneoSigueAlPuntero)
{
    // Ojo en (-3, -4, 12) respecto del punto mirado: h = 5, r = 13
    ponerCamara(-2, -2, 13, 1, 2, 1);
    mouseButton(0, 0, 100, 100);
    mouseMove(200, 200);  // 1 unidad en x y en y de pantalla
    // Izquierda de pantalla (dy/h, -dx/h, 0) y arriba de cámara (-(dz/r)(dx/h), -(dz/r)(dy/h), h/r)
    const double sx = -0.8 + 36.0 / 65, sy = 0.6 + 48.0 / 65, sz = 5.0 / 13;
    esperarOjo(-2 + sx, -2 + sy, 13 + sz, 1e-12);
    EXPECT_NEAR(xCentroObj, 1 + sx, 1e-12);
    EXPECT_NEAR(yCentroObj, 2 + sy, 1e-12);
    EXPECT_NEAR(zCentroObj, 1 + sz, 1e-12);
    EXPECT_NEAR(distCamObj, 13, 1e-12);
    // El paso es perpendicular a la mirada y mide lo arrastrado: 0.01 por píxel
    EXPECT_NEAR(sx * -3 + sy * -4 + sz * 12, 0, 1e-12);
    EXPECT_NEAR(std::sqrt(sx * sx + sy * sy + sz * sz), std::sqrt(2.0), 1e-12);
    mouseButton(0, 1, 200, 200);

    // Después del paneo la órbita gira alrededor del punto movido
    double cx = xCentroObj, cy = yCentroObj, cz = zCentroObj;
    mouseButton(1, 0, 0, 0);
    mouseMove(50, 0);
    EXPECT_NEAR(std::hypot(xCam - cx, yCam - cy), 5, 1e-9);
    EXPECT_NEAR(zCam - cz, 12, 1e-9);
    EXPECT_EQ(xCentroObj, cx);
    mouseButton(1, 1, 0, 0);

    // Sin botón apretado nada se mueve
    double x0 = xCam;
    mouseMove(400, 400);
    EXPECT_EQ(xCam, x0);
}

TEST_F(Raton, IzquierdoYCentralJuntos)
{
    ponerCamara(-10, 0, 0, 0, 0, 0);  // mirada a lo largo de +X
    mouseButton(0, 0, 50, 50);
    mouseMove(60, 50);  // paneo: izquierda de pantalla es +Y
    esperarOjo(-10, 0.1, 0, 1e-12);
    mouseButton(1, 0, 60, 50);
    mouseMove(70, 50);  // con los dos, orbita
    const double a = PI - 0.030000001192092896;
    esperarOjo(10 * std::cos(a), 0.1 + 10 * std::sin(a), 0, 1e-9);
    EXPECT_NEAR(yCentroObj, 0.1, 1e-12);
    mouseButton(1, 1, 70, 50);
    // Suelta el central: vuelve el paneo desde donde quedó, sin salto
    double x0 = xCam, y0 = yCam, z0 = zCam;
    mouseMove(80, 50);
    EXPECT_NEAR(std::sqrt(std::pow(xCam - x0, 2) + std::pow(yCam - y0, 2) + std::pow(zCam - z0, 2)),
                0.1, 1e-12);
    EXPECT_NEAR(xCam - x0, 0.1 * std::sin(a), 1e-12);
    EXPECT_NEAR(yCam - y0, -0.1 * std::cos(a), 1e-12);
    mouseButton(0, 1, 80, 50);
}

TEST_F(Raton, ZoomEnPerspectivaYOrtogonal)
{
    flags[flagPerspectiva] = 1;
    ponerCamara(1, -4, 5, 1, 0, 2);  // distancia 5
    for (int i = 0; i < 10; i++) zoomIn();
    EXPECT_NEAR(distCamObj, 5 * 0.3486784401, 1e-12);
    EXPECT_NEAR(xCam, 1, 1e-12);
    EXPECT_NEAR(yCam, -4 * 0.3486784401, 1e-12);
    EXPECT_NEAR(zCam, 2 + 3 * 0.3486784401, 1e-12);

    ponerCamara(1, -4, 5, 1, 0, 2);
    zoomIn();
    zoomOut();
    EXPECT_NEAR(distCamObj, 5 * 0.99, 1e-12);
    EXPECT_NEAR(yCam, -4 * 0.99, 1e-12);

    // Ortogonal: la extensión visible cambia en el mismo paso
    ponerCamara(1, -4, 5, 1, 0, 2);
    proyeccionPrograma(false);
    EXPECT_NEAR(matrizProyeccion()[5], 2.0 / 5, 1e-7);
    zoomIn();
    EXPECT_EQ(wVentana, 1000);
    EXPECT_EQ(hVentana, 800);
    EXPECT_NEAR(matrizProyeccion()[5], 2.0 / 4.5, 1e-7);
    zoomOut();
    EXPECT_NEAR(matrizProyeccion()[5], 2.0 / (4.5 * 1.1), 1e-7);

    // En perspectiva el zoom no toca la proyección
    proyeccionPrograma(true);
    std::array<double, 16> antes = matrizProyeccion();
    zoomIn();
    EXPECT_EQ(matrizProyeccion(), antes);
}

// La rueda no pierde la vista: la distancia del ojo al punto mirado queda en un
// rango amplio ligado a la diagonal, la dirección de la mirada se conserva y
// siempre se puede volver
TEST_F(Raton, ZoomAcotadoSiempreVuelve)
{
    ponerNudos({{0, 0, 0}, {6, 0, 0}, {6, 5, 3}});
    funcionFronteraGraf();
    const double inicio = distCamObj;
    const double dx = (xCam - xCentroObj) / inicio, dy = (yCam - yCentroObj) / inicio,
                 dz = (zCam - zCentroObj) / inicio;
    auto finitos = [] {
        for (double v : {xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, distCamObj}) {
            if (!std::isfinite(v)) return false;
        }
        for (double v : matrizProyeccion()) {
            if (!std::isfinite(v)) return false;
        }
        return true;
    };
    auto mismaDireccion = [&] {
        EXPECT_NEAR((xCam - xCentroObj) / distCamObj, dx, 1e-9);
        EXPECT_NEAR((yCam - yCentroObj) / distCamObj, dy, 1e-9);
        EXPECT_NEAR((zCam - zCentroObj) / distCamObj, dz, 1e-9);
    };
    for (bool perspectiva : {true, false}) {
        SCOPED_TRACE(perspectiva ? "perspectiva" : "ortogonal");
        funcionFronteraGraf();
        proyeccionPrograma(perspectiva);
        // Muchos más pasos de los que hacían falta para llegar a distancia 0
        for (int i = 0; i < 8000; i++) zoomIn();
        EXPECT_TRUE(finitos());
        EXPECT_GT(distCamObj, 1e-6 * diagonal);
        EXPECT_LE(distCamObj, 1.001e-3 * diagonal);  // el rango sigue siendo amplio
        mismaDireccion();
        // Un arrastre después tampoco la rompe
        mouseButton(1, 0, 100, 100);
        mouseMove(130, 90);
        mouseButton(1, 1, 130, 90);
        mouseButton(0, 0, 100, 100);
        mouseMove(120, 110);
        mouseButton(0, 1, 120, 110);
        EXPECT_TRUE(finitos());
        EXPECT_GT(distCamObj, 1e-6 * diagonal);
        for (int i = 0; i < 200; i++) zoomOut();
        EXPECT_GT(distCamObj, inicio);  // vuelve

        funcionFronteraGraf();
        for (int i = 0; i < 8000; i++) zoomOut();
        EXPECT_TRUE(finitos());
        EXPECT_GE(distCamObj, 0.999e2 * diagonal);
        EXPECT_LT(distCamObj, 1e4 * diagonal);
        mismaDireccion();
        for (int i = 0; i < 200; i++) zoomIn();
        EXPECT_LT(distCamObj, inicio);  // vuelve
    }
}
