// Base de todas las pruebas del visor: guarda el estado global del visor y el
// de OpenGL y lo repone al salir; cámara y modelos chicos armados a mano.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

// Copia de los valores de un grupo de globales (una tupla de referencias)
template <class... T>
std::tuple<T...> copiaDe(const std::tuple<T&...>& grupo)
{
    return grupo;
}

// Guarda al construirse lo que tocan las pruebas del visor (los globales de
// dibujo y de sesión, la lectura de modificadores, matrices, vista y prueba de
// profundidad) y lo repone al destruirse, con el modelo vaciado. Las versiones
// del modelo y de los resultados no se reponen: nunca vuelven atrás.
class EstadoVisorGuardado {
public:
    EstadoVisorGuardado()
        : dibujoAntes(globalesDibujo()),
          sesionAntes(globalesSesion()),
          lectorAntes(funcionLeerModificadores)
    {
        glGetIntegerv(GL_MATRIX_MODE, &modo);
        glGetDoublev(GL_PROJECTION_MATRIX, proyeccion.data());
        glGetDoublev(GL_MODELVIEW_MATRIX, vista.data());
        glGetIntegerv(GL_VIEWPORT, puerto.data());
        profundidad = glIsEnabled(GL_DEPTH_TEST);
    }

    ~EstadoVisorGuardado()
    {
        reiniciarModelo();
        globalesDibujo() = dibujoAntes;
        globalesSesion() = sesionAntes;
        funcionLeerModificadores = lectorAntes;
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixd(proyeccion.data());
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixd(vista.data());
        glMatrixMode(static_cast<GLenum>(modo));
        glViewport(puerto[0], puerto[1], puerto[2], puerto[3]);
        if (profundidad) {
            glEnable(GL_DEPTH_TEST);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
    }

    EstadoVisorGuardado(const EstadoVisorGuardado&) = delete;
    EstadoVisorGuardado& operator=(const EstadoVisorGuardado&) = delete;

private:
    decltype(copiaDe(globalesDibujo())) dibujoAntes;
    decltype(copiaDe(globalesSesion())) sesionAntes;
    int (*lectorAntes)();
    GLint modo = GL_MODELVIEW;
    std::array<double, 16> proyeccion{}, vista{};
    std::array<GLint, 4> puerto{};
    GLboolean profundidad = GL_FALSE;
};

// Ojo y punto mirado de la cámara global, con su distancia
inline void ponerCamara(double x, double y, double z, double cx, double cy, double cz)
{
    xCam = x;
    yCam = y;
    zCam = z;
    xCentroObj = cx;
    yCentroObj = cy;
    zCentroObj = cz;
    distCamObj = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz));
}

// Modelo armado con los métodos de las clases sobre el modelo vaciado: nudos
// de número 1, 2, ... en esas coordenadas y barras de número primeraBarra,
// primeraBarra + 1, ... entre los nudos dados (índices internos); sin combos,
// todo a la vista y los avisos de sección otra vez por dar.
inline void armarModeloPrueba(const std::vector<std::array<double, 3>>& nudos,
                              const std::vector<std::pair<int, int>>& barras, int primeraBarra)
{
    reiniciarModelo();
    noNudos = static_cast<int>(nudos.size());
    noBarras = static_cast<int>(barras.size());
    nudo.resize(nudos.size());
    for (size_t i = 0; i < nudos.size(); i++) {
        nudo[i].setNoNudoUsuario(static_cast<int>(i) + 1);
        nudo[i].setNoNudoInterno(static_cast<int>(i));
        nudo[i].setCoordenadas(nudos[i][0], nudos[i][1], nudos[i][2]);
    }
    barra.resize(barras.size());
    for (size_t j = 0; j < barras.size(); j++) {
        objBarra3d& b = barra[j];
        const std::array<double, 3>& a = nudos[static_cast<size_t>(barras[j].first)];
        const std::array<double, 3>& c = nudos[static_cast<size_t>(barras[j].second)];
        b.setNoBarraUsuario(primeraBarra + static_cast<int>(j));
        b.setNoBarraInterna(static_cast<int>(j));
        b.setNudoInicio(barras[j].first, a[0], a[1], a[2]);
        b.setNudoFinal(barras[j].second, c[0], c[1], c[2]);
    }
    nudosAislados = VectorXi::Ones(noNudos);
    barrasAisladas = VectorXi::Ones(noBarras);
    reiniciarAvisosSecciones();
}

// Vista ortográfica de la ventana de pruebas con esa caja de recorte y la
// matriz de modelo identidad
inline void vistaOrtogonal(double izq, double der, double abajo, double arriba, double cerca,
                           double lejos)
{
    glViewport(0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(izq, der, abajo, arriba, cerca, lejos);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Matriz de proyección actual (columna mayor)
inline std::array<double, 16> matrizProyeccion()
{
    std::array<double, 16> m{};
    glGetDoublev(GL_PROJECTION_MATRIX, m.data());
    return m;
}
