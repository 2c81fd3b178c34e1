// Caja del modelo, cámara de inicio, proyecciones y límites de tamaño.
#include <cmath>
#include <unistd.h>

#include <GL/glu.h>

#include "comun/capturaGL.h"
#include "prueba_ventana_estado.h"

namespace {

using Ventana = PruebaNucleoVisor;

const double r3 = std::sqrt(3.0);

struct CasoCaja {
    const char* nombre;
    std::vector<std::array<double, 3>> nudos;
    std::array<double, 6> caja;  // xMin xMax yMin yMax zMin zMax
    std::array<double, 3> ojo;
    double diagonal, distancia;
};

}  // namespace

TEST_F(Ventana, CajaYCamaraDeInicio)
{
    const double dUnidad = std::sqrt(6 + std::pow(0.5 + r3 / 2, 2));
    const CasoCaja casos[] = {
        {"sin nudos", {}, {0, 1, 0, 1, 0, 1}, {0.5 - r3, 0.5 - r3, 1 + r3 / 2}, r3, dUnidad},
        // Solo sin extensión (todos los nudos en el origen) va el cubo unitario
        {"un nudo en el origen", {{0, 0, 0}}, {0, 1, 0, 1, 0, 1}, {0.5 - r3, 0.5 - r3, 1 + r3 / 2},
         r3, dUnidad},
        {"todos en el origen", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {0, 1, 0, 1, 0, 1},
         {0.5 - r3, 0.5 - r3, 1 + r3 / 2}, r3, dUnidad},
        // Nudos en un mismo punto fuera del origen: caja del origen y el punto
        {"dos en (5, 5, 5)", {{5, 5, 5}, {5, 5, 5}}, {0, 5, 0, 5, 0, 5},
         {2.5 - 5 * r3, 2.5 - 5 * r3, 5 + 2.5 * r3}, 5 * r3,
         std::sqrt(150 + std::pow(2.5 + 2.5 * r3, 2))},
        {"un nudo lejos", {{50, -70, 9}}, {0, 50, -70, 0, 0, 9},
         {25 - std::sqrt(7481.0), -35 - std::sqrt(7481.0), 9 + std::sqrt(7481.0) / 2},
         std::sqrt(7481.0), std::sqrt(2 * 7481.0 + std::pow(4.5 + std::sqrt(7481.0) / 2, 2))},
        // El origen queda siempre dentro de la caja
        {"de x=100 a x=110", {{100, 0, 0}, {110, 0, 0}}, {0, 110, 0, 0, 0, 0}, {-55, -110, 55}, 110,
         165},
        {"coordenadas negativas", {{-2, 1, 3}, {4, -5, 6}}, {-2, 4, -5, 1, 0, 6},
         {1 - 6 * r3, -2 - 6 * r3, 6 + 3 * r3}, 6 * r3,
         std::sqrt(216 + std::pow(3 + 3 * r3, 2))},
    };
    for (const CasoCaja& c : casos) {
        SCOPED_TRACE(c.nombre);
        ponerNudos(c.nudos);
        funcionFronteraGraf();
        EXPECT_DOUBLE_EQ(xMin, c.caja[0]);
        EXPECT_DOUBLE_EQ(xMax, c.caja[1]);
        EXPECT_DOUBLE_EQ(yMin, c.caja[2]);
        EXPECT_DOUBLE_EQ(yMax, c.caja[3]);
        EXPECT_DOUBLE_EQ(zMin, c.caja[4]);
        EXPECT_DOUBLE_EQ(zMax, c.caja[5]);
        EXPECT_NEAR(diagonal, c.diagonal, 1e-12);
        EXPECT_NEAR(xCentroObj, (c.caja[0] + c.caja[1]) / 2, 1e-12);
        EXPECT_NEAR(yCentroObj, (c.caja[2] + c.caja[3]) / 2, 1e-12);
        EXPECT_NEAR(zCentroObj, (c.caja[4] + c.caja[5]) / 2, 1e-12);
        EXPECT_NEAR(xCam, c.ojo[0], 1e-12);
        EXPECT_NEAR(yCam, c.ojo[1], 1e-12);
        EXPECT_NEAR(zCam, c.ojo[2], 1e-12);
        EXPECT_NEAR(distCamObj, c.distancia, 1e-12);
        // Desde la cámara de inicio cada nudo cae dentro de la ventana
        proyeccionPrograma(true);
        GLdouble mv[16], pr[16];
        GLint vp[4] = {0, 0, 1000, 800};
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        for (const std::array<double, 3>& p : c.nudos) {
            double wx = -1, wy = -1, wz = -1;
            gluProject(p[0], p[1], p[2], mv, pr, vp, &wx, &wy, &wz);
            EXPECT_TRUE(wx > 0 && wx < 1000 && wy > 0 && wy < 800 && wz > 0 && wz < 1)
                << "nudo fuera de la vista: " << wx << ", " << wy << ", " << wz;
        }
    }
}

TEST_F(Ventana, ProyeccionesSegunTamanoYPerspectiva)
{
    distCamObj = 8;
    const double f = 1 + std::sqrt(2.0);  // cotangente de 22.5 grados
    const double cerca = 0.009999999776482582, lejos = 1e6;
    struct Caso {
        const char* nombre;
        bool perspectiva;
        int w, h;
        double m0, m5;  // escalas horizontal y vertical de la matriz
    };
    const Caso casos[] = {
        {"perspectiva 1000x800", true, 1000, 800, f / 1.25, f},
        {"perspectiva 600x900", true, 600, 900, f * 1.5, f},
        // Ortogonal: el lado corto de la ventana abarca distCamObj
        {"ortogonal 1000x800", false, 1000, 800, 2 / (8 * 1.25), 2.0 / 8},
        {"ortogonal 600x900", false, 600, 900, 2.0 / 8, 2 / (8 * 1.5)},
        {"ortogonal 800x800", false, 800, 800, 2.0 / 8, 2.0 / 8},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        proyeccionPrograma(c.perspectiva, c.w, c.h);
        EXPECT_EQ(wVentana, c.w);
        EXPECT_EQ(hVentana, c.h);
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        EXPECT_EQ(vp[0], 0);
        EXPECT_EQ(vp[1], 0);
        EXPECT_EQ(vp[2], c.w);
        EXPECT_EQ(vp[3], c.h);
        GLint modo;
        glGetIntegerv(GL_MATRIX_MODE, &modo);
        EXPECT_EQ(modo, GL_MODELVIEW);
        std::array<double, 16> m = matrizProyeccion();
        EXPECT_NEAR(m[0], c.m0, 1e-6 * c.m0);
        EXPECT_NEAR(m[5], c.m5, 1e-6 * c.m5);
        if (c.perspectiva) {
            // OpenGL guarda la matriz en simple precisión
            EXPECT_NEAR(m[10], (lejos + cerca) / (cerca - lejos), 1e-6);
            EXPECT_NEAR(m[14], 2 * lejos * cerca / (cerca - lejos), 1e-8);
            EXPECT_DOUBLE_EQ(m[11], -1);
            EXPECT_DOUBLE_EQ(m[15], 0);
        } else {
            EXPECT_NEAR(m[10], -1e-6, 1e-12);
            EXPECT_NEAR(m[14], 0, 1e-12);
            EXPECT_DOUBLE_EQ(m[11], 0);
            EXPECT_DOUBLE_EQ(m[15], 1);
        }
    }
}

namespace {

// Procesa eventos hasta que la ventana tenga ese tamaño (o se acabe la espera)
bool esperarTamano(int w, int h)
{
    for (int i = 0; i < 200; i++) {
        glutMainLoopEvent();
        if (glutGet(GLUT_WINDOW_WIDTH) == w && glutGet(GLUT_WINDOW_HEIGHT) == h) {
            for (int k = 0; k < 5; k++) glutMainLoopEvent();
            return true;
        }
        usleep(5000);
    }
    return false;
}

}  // namespace

TEST_F(Ventana, TamanoMinimo600x400)
{
    distCamObj = 5;
    flags[flagPerspectiva] = 1;
    struct Caso {
        int w, h;        // tamaño pedido
        int wFin, hFin;  // tamaño con que termina la ventana
    };
    const Caso casos[] = {{500, 300, 600, 400}, {1000, 0, 1000, 400}, {300, 900, 600, 900},
                          {599, 800, 600, 800}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        wVentana = 1234;
        hVentana = 567;
        std::array<double, 16> antes = matrizProyeccion();
        changeSize(c.w, c.h);
        // Sin tocar vista ni proyección: espera el nuevo tamaño
        EXPECT_EQ(wVentana, 1234);
        EXPECT_EQ(hVentana, 567);
        EXPECT_EQ(matrizProyeccion(), antes);

        glutReshapeFunc(changeSize);
        EXPECT_TRUE(esperarTamano(c.wFin, c.hFin));
        EXPECT_EQ(wVentana, c.wFin);
        EXPECT_EQ(hVentana, c.hFin);
        std::array<double, 16> m = matrizProyeccion();
        EXPECT_NEAR(m[5] / m[0], static_cast<double>(c.wFin) / c.hFin, 1e-6);
        for (double v : m) EXPECT_TRUE(std::isfinite(v));

        glutReshapeWindow(1000, 800);
        EXPECT_TRUE(esperarTamano(1000, 800));
        glutReshapeFunc(nullptr);
    }
}

namespace {

// Dibuja un punto en el modelo con la vista que dejó draw
VerticeGL proyectarPunto(double x, double y, double z)
{
    auto p = capturarFeedback([&] {
        glBegin(GL_POINTS);
        glVertex3d(x, y, z);
        glEnd();
    });
    EXPECT_EQ(p.size(), 1u);
    return p.empty() ? VerticeGL{} : p[0].v[0];
}

}  // namespace

TEST_F(Ventana, CuadroConCamaraYSinResultadosSinCombos)
{
    ponerNudos({{0, 0, 0}, {6, 0, 0}, {6, 5, 3}});
    noCombos = 2;
    funcionFlagsInicio();
    wVentana = 1000;
    hVentana = 800;
    funcionFronteraGraf();
    proyeccionPrograma(true);

    // Cámara: el punto mirado cae en el centro de la ventana y +Z hacia arriba
    capturarFeedback(draw);
    VerticeGL centro = proyectarPunto(xCentroObj, yCentroObj, zCentroObj);
    EXPECT_NEAR(centro.x, 500, 1e-3);
    EXPECT_NEAR(centro.y, 400, 1e-3);
    VerticeGL arriba = proyectarPunto(xCentroObj, yCentroObj, zCentroObj + 1);
    EXPECT_NEAR(arriba.x, 500, 1e-3);
    EXPECT_GT(arriba.y, 400 + 1);

    // Un diagrama encendido sin ningún combo encendido no dibuja nada más
    const int base = static_cast<int>(capturarFeedback(draw).size());
    for (int f : {flagDeformada, flagAxial, flagCortanteY, flagMomentoY, flagTorsion, flagCarga,
                  flagReacciones, flagCortanteZ, flagMomentoZ}) {
        flags[f] = 1;
        EXPECT_EQ(static_cast<int>(capturarFeedback(draw).size()), base) << "flag " << f;
        flags[f] = 0;
    }
}
