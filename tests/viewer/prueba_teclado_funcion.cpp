// Teclas de función: ayudas, vistas fijas y teclas sin tarea.
#include <cmath>

#include <GL/glu.h>

#include "viewer/prueba_teclado_comun.h"

using namespace teclado_prueba;

namespace {

class TeclasFuncion : public EstadoVisorTest {};

TEST_F(TeclasFuncion, AyudasF1YF12)
{
    struct Caso {
        std::vector<int> teclas;
        int ayuda, pagina;
    };
    const std::vector<Caso> casos = {
        {{GLUT_KEY_F1}, 1, 0},
        {{GLUT_KEY_F1, GLUT_KEY_F1}, 2, 0},
        {{GLUT_KEY_F12}, 0, 1},
        {{GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F12}, 0, 4},
        {{GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F12}, 0, 0},
        {{GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F12, GLUT_KEY_F1}, 1, 0},
        {{GLUT_KEY_F1, GLUT_KEY_F12}, 0, 1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::PrintToString(caso.teclas));
        flags = flagsDeArranque();
        for (int t : caso.teclas) tecladoEspecial(t, 0, 0);
        std::vector<int> esperado = flagsDeArranque();
        esperado[flagAyuda] = caso.ayuda;
        esperado[flagAyudaEtiquetas] = caso.pagina;
        EXPECT_EQ(flags, esperado);
    }
}

// Punto del modelo en la ventana con la cámara actual
void proyectar(double x, double y, double z, double& vx, double& vy)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, 0, 0, 1);
    double mv[16], pr[16];
    int vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    glPopMatrix();
    double vz;
    gluProject(x, y, z, mv, pr, vp, &vx, &vy, &vz);
}

TEST_F(TeclasFuncion, VistasFijas)
{
    cargarModelo(modeloPortico);
    // Un paneo corrió el punto mirado: las vistas lo conservan
    xCentroObj = 1.5;
    yCentroObj = -2;
    zCentroObj = 0.75;
    diagonal = 10;
    distCamObj = 7;
    struct Caso {
        int tecla;
        double x, y, z;
        // ejes en pantalla: +1 derecha/arriba, -1 izquierda/abajo, 0 de canto
        int xHoriz, xVert, yHoriz, yVert, zHoriz, zVert;
    };
    const std::vector<Caso> casos = {
        {GLUT_KEY_F2, 1.5, -12, 0.75, +1, 0, 0, 0, 0, +1},
        {GLUT_KEY_F3, -8.5, -2, 0.75, 0, 0, -1, 0, 0, +1},
        {GLUT_KEY_F4, 1.5 - 1e-9, -2, 10.75, 0, +1, -1, 0, 0, 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.tecla);
        xCam = yCam = zCam = 99;
        tecladoEspecial(caso.tecla, 0, 0);
        EXPECT_DOUBLE_EQ(xCam, caso.x);
        EXPECT_DOUBLE_EQ(yCam, caso.y);
        EXPECT_DOUBLE_EQ(zCam, caso.z);
        EXPECT_EQ(xCentroObj, 1.5);
        EXPECT_EQ(yCentroObj, -2);
        EXPECT_EQ(zCentroObj, 0.75);
        EXPECT_EQ(distCamObj, 7);

        double cx, cy;
        proyectar(xCentroObj, yCentroObj, zCentroObj, cx, cy);
        EXPECT_NEAR(cx, 500, 1e-6);
        EXPECT_NEAR(cy, 400, 1e-6);
        const double ejes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        const int esperado[3][2] = {{caso.xHoriz, caso.xVert},
                                    {caso.yHoriz, caso.yVert},
                                    {caso.zHoriz, caso.zVert}};
        for (int e = 0; e < 3; e++) {
            double px, py;
            proyectar(xCentroObj + ejes[e][0], yCentroObj + ejes[e][1], zCentroObj + ejes[e][2],
                      px, py);
            double dx = px - cx, dy = py - cy;
            auto signo = [](double v) { return std::fabs(v) < 1e-3 ? 0 : (v > 0 ? 1 : -1); };
            EXPECT_EQ(signo(dx), esperado[e][0]) << "eje " << e;
            EXPECT_EQ(signo(dy), esperado[e][1]) << "eje " << e;
        }
    }

    // Tras F4 la órbita con el botón del medio funciona en seguida
    mouseButton(1, 0, 500, 400);
    mouseMove(530, 380);
    mouseButton(1, 1, 530, 380);
    for (double v : {xCam, yCam, zCam}) EXPECT_TRUE(std::isfinite(v));
    double r = std::sqrt(std::pow(xCam - xCentroObj, 2) + std::pow(yCam - yCentroObj, 2) +
                         std::pow(zCam - zCentroObj, 2));
    EXPECT_NEAR(r, 10, 1e-9);
    // Arrastre hacia arriba: el ojo baja 0.06 rad desde la vertical
    double h = std::hypot(xCam - xCentroObj, yCam - yCentroObj);
    EXPECT_NEAR(h, 10 * std::sin(0.06), 1e-5);
    EXPECT_NEAR(zCam - zCentroObj, 10 * std::cos(0.06), 1e-5);
}

TEST_F(TeclasFuncion, TeclasSinTarea)
{
    cargarModelo(modeloPortico);
    comando = "plo";
    dialogo = "Ingrese Comando:";
    const double camara[] = {xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, distCamObj};
    for (int tecla : {GLUT_KEY_F6, GLUT_KEY_F7, GLUT_KEY_F8, GLUT_KEY_F9, GLUT_KEY_F10,
                      GLUT_KEY_F11, GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN,
                      GLUT_KEY_PAGE_UP, GLUT_KEY_HOME, GLUT_KEY_INSERT, 0, -1, 1000}) {
        SCOPED_TRACE(tecla);
        std::string salida = capturarSalida([&] { tecladoEspecial(tecla, 0, 0); });
        EXPECT_EQ(salida, "");
        EXPECT_EQ(flags, flagsDeArranque());
        EXPECT_EQ(comando, "plo");
        EXPECT_EQ(dialogo, "Ingrese Comando:");
        const double ahora[] = {xCam, yCam, zCam, xCentroObj, yCentroObj, zCentroObj, distCamObj};
        for (int i = 0; i < 7; i++) EXPECT_EQ(ahora[i], camara[i]);
        EXPECT_EQ(noNudos, 5);
    }
}

}  // namespace
