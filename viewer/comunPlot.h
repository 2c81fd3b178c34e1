// Ayudas internas del visor, cada una dicha una sola vez y con un solo
// sentido: interruptores de flags, visibilidad del aislamiento, cantidades
// del modelo, colores, marco de la barra, texto de los números y la tabla de
// los dibujos de resultados.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>

#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

// Interruptor encendido: la entrada de flags es impar; un índice fuera del
// vector está apagado
inline bool flagEncendido(int i)
{
    return i >= 0 && i < static_cast<int>(flags.size()) && flags[i] % 2 != 0;
}

// Nudo o barra a la vista según su vector de aislamiento (1 se ve, 0 no);
// un índice que el vector no cubre se ve
inline bool visible(const VectorXi& aislados, int i)
{
    return i < 0 || i >= aislados.size() || aislados(i) == 1;
}

// Nudos y barras que se pueden recorrer: el contador y el vector a la vez
inline int cantidadNudos() { return std::min(noNudos, static_cast<int>(nudo.size())); }
inline int cantidadBarras() { return std::min(noBarras, static_cast<int>(barra.size())); }

inline float aFloat(double v) { return static_cast<float>(v); }

// distCamObj: distancia del ojo al punto mirado, tras mover la cámara
inline void actualizarDistanciaCamara()
{
    distCamObj = std::sqrt(std::pow(xCam - xCentroObj, 2) + std::pow(yCam - yCentroObj, 2) +
                           std::pow(zCam - zCentroObj, 2));
}

// Color RGB de 0 a 1
struct Color {
    float r, g, b;
};

inline void ponerColor(const Color& c) { glColor3f(c.r, c.g, c.b); }

// Empuja la matriz y arma el marco de la barra: origen en el extremo i (más
// un corrimiento dado, p. ej. su desplazamiento), x a lo largo de la barra,
// y y z sus ejes locales. Quien lo llama hace el glPopMatrix.
inline void empujarMarcoBarra(objBarra3d& b, double dx = 0, double dy = 0, double dz = 0)
{
    glPushMatrix();
    glTranslatef(aFloat(b.getXi() + dx), aFloat(b.getYi() + dy), aFloat(b.getZi() + dz));
    glRotatef(aFloat(b.getGammaDeg()), 0, 0, 1);
    glRotatef(aFloat(b.getBetaDeg()), 0, 1, 0);
    glRotatef(aFloat(b.getAlfaDeg()), 1, 0, 0);
}

// Texto de un número con p decimales (p negativo cuenta como 0), en notación
// fija ('f') o científica ('e'), cortado a 99 caracteres. Lo que redondea a
// cero se escribe sin signo: "0.000", nunca "-0.000".
std::string textoNumero(double v, int p, char notacion);

// Dibujos de resultados, uno por combo encendido, en el orden del cuadro, con
// la escala que les pasa el cuadro y que cambian '+' y '-'
struct DibujoResultado {
    int flag;
    void (*dibujo)(int c, double s);
    double* escala;  // nullptr: sin escala (las reacciones)
};

inline void plotReaccionesSinEscala(int c, double) { plotReacciones(c); }

inline const DibujoResultado dibujosResultado[] = {
    {flagDeformada, plotDeformada, &escalaDef},
    {flagAxial, plotAxial, &escalaN},
    {flagCortanteY, plotCortanteY, &escalaVy},
    {flagMomentoY, plotMomentoY, &escalaMy},
    {flagTorsion, plotTorsion, &escalaT},
    {flagCarga, plotCarga, &escalaCarga},
    {flagReacciones, plotReaccionesSinEscala, nullptr},
    {flagCortanteZ, plotCortanteZ, &escalaVz},
    {flagMomentoZ, plotMomentoZ, &escalaMz},
};
