// Ayudas internas del visor, cada una dicha una sola vez y con un solo
// sentido: interruptores de flags, visibilidad del aislamiento, cantidades
// del modelo, colores, marco de la barra, texto de los números, la tabla de
// los tipos de resultado y la de la columna de botones del panel.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>

#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"
#include "viewer/lotePlot.h"

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

// Color directo a OpenGL (panel) o a las tandas de la escena
inline void ponerColor(const Color& c) { glColor3f(c.r, c.g, c.b); }
inline void loteColor(const Color& c) { loteColor(c.r, c.g, c.b); }

// Empuja la matriz y arma el marco de la barra: origen en el extremo i (más
// un corrimiento dado, p. ej. su desplazamiento), x a lo largo de la barra,
// y y z sus ejes locales. Quien lo llama hace el loteSacarMatriz.
inline void empujarMarcoBarra(objBarra3d& b, double dx = 0, double dy = 0, double dz = 0)
{
    loteEmpujarMatriz();
    loteTrasladar(aFloat(b.getXi() + dx), aFloat(b.getYi() + dy), aFloat(b.getZi() + dz));
    loteGirar(aFloat(b.getGammaDeg()), 0, 0, 1);
    loteGirar(aFloat(b.getBetaDeg()), 0, 1, 0);
    loteGirar(aFloat(b.getAlfaDeg()), 1, 0, 0);
}

// Texto de un número con p decimales (p negativo cuenta como 0), en notación
// fija ('f') o científica ('e'), cortado a 99 caracteres. Lo que redondea a
// cero se escribe sin signo: "0.000", nunca "-0.000".
std::string textoNumero(double v, int p, char notacion);
// Radio de un círculo alrededor del ancla que contiene el texto de altura h
// con cualquier alineación, bajado esos renglones
double radioTexto(const std::string& texto, double h, int renglon = 0);
// drawTextoEscaladoFacing con el texto bajado esos renglones (de altura h) en
// la pantalla: dos etiquetas del mismo ancla, una debajo de la otra
void textoDeCaraEnRenglon(double x, double y, double z, const char* texto, double h,
                          int alineacion, int renglon);

// Los tipos de resultado, en el orden en que el cuadro los dibuja (uno por
// combo encendido): su flag, el comando que lo conmuta con sus dos respuestas,
// su dibujo y la escala que le pasa el cuadro y que cambian '+' y '-'. Su
// botón está en la columna del panel (botonesColumna).
struct TipoResultado {
    int flag;
    const char* comando;
    const char* activado;     // respuesta con el dibujo encendido
    const char* desactivado;  // y con el dibujo apagado
    void (*dibujo)(int c, double s);
    double* escala;           // nullptr: sin escala (las reacciones)
};

inline void plotReaccionesSinEscala(int c, double) { plotReacciones(c); }

inline const TipoResultado tiposResultado[] = {
    {flagDeformada, "plotDef", "Deformaciones Activadas. Ingrese Comando:",
     "Deformaciones Desactivadas. Ingrese Comando:", plotDeformada, &escalaDef},
    {flagAxial, "plotN", "Fuerzas Axiales Activadas. Ingrese Comando:",
     "Fuerzas Axiales Desactivadas. Ingrese Comando:", plotAxial, &escalaN},
    {flagCortanteY, "plotVy", "Fuerzas Cortantes Y Activadas. Ingrese Comando:",
     "Fuerzas Cortantes Y Desactivadas. Ingrese Comando:", plotCortanteY, &escalaVy},
    {flagMomentoY, "plotMy", "Momentos Flectores Y Activados. Ingrese Comando:",
     "Momentos Flectores Y Desactivados. Ingrese Comando:", plotMomentoY, &escalaMy},
    {flagTorsion, "plotT", "Torsion Activadas. Ingrese Comando:",
     "Torsion Desactivada. Ingrese Comando:", plotTorsion, &escalaT},
    {flagCarga, "plotCarga", "Graficacion de Cargas Activada. Ingrese Comando:",
     "Graficacion de Cargas Desactivada. Ingrese Comando:", plotCarga, &escalaCarga},
    {flagReacciones, "plotR", "Graficacion de Reacciones Activada. Ingrese Comando:",
     "Graficacion de Reacciones Desactivada. Ingrese Comando:", plotReaccionesSinEscala,
     nullptr},
    {flagCortanteZ, "plotVz", "Fuerzas Cortantes Z Activadas. Ingrese Comando:",
     "Fuerzas Cortantes Z Desactivadas. Ingrese Comando:", plotCortanteZ, &escalaVz},
    {flagMomentoZ, "plotMz", "Momentos Flectores Z Activados. Ingrese Comando:",
     "Momentos Flectores Z Desactivados. Ingrese Comando:", plotMomentoZ, &escalaMz},
};

// El flag es el de un tipo de resultado
inline bool esFlagResultado(int i)
{
    for (const TipoResultado& t : tiposResultado) {
        if (t.flag == i) return true;
    }
    return false;
}

// La columna izquierda de botones del panel, de arriba abajo (el lugar en
// y = 105 queda vacío): x 10, 70 x 12 píxeles. Los de resultados se ven con
// el análisis hecho; el de las cargas también sin él, que no lo necesitan.
enum class BotonSeVe { siempre, conAnalisis };
struct BotonColumna {
    const char* etiqueta;
    double y;
    int flag;
    BotonSeVe seVe;
};

inline const BotonColumna botonesColumna[] = {
    {"tag Nudos", 30, flagTagNudos, BotonSeVe::siempre},
    {"tag Barras", 45, flagTagBarras, BotonSeVe::siempre},
    {"secciones", 60, flagSecciones, BotonSeVe::siempre},
    {"apoyos", 75, flagApoyos, BotonSeVe::siempre},
    {"volumen", 90, flagVolumen, BotonSeVe::siempre},
    {"carga", 120, flagCarga, BotonSeVe::siempre},
    {"reaccion", 135, flagReacciones, BotonSeVe::conAnalisis},
    {"deflexion", 150, flagDeformada, BotonSeVe::conAnalisis},
    {"N", 165, flagAxial, BotonSeVe::conAnalisis},
    {"Vy", 180, flagCortanteY, BotonSeVe::conAnalisis},
    {"My", 195, flagMomentoY, BotonSeVe::conAnalisis},
    {"Vz", 210, flagCortanteZ, BotonSeVe::conAnalisis},
    {"Mz", 225, flagMomentoZ, BotonSeVe::conAnalisis},
    {"T", 240, flagTorsion, BotonSeVe::conAnalisis},
};

// La etiqueta del botón de la columna de ese flag; "" si no tiene
inline const char* etiquetaBoton(int flag)
{
    for (const BotonColumna& b : botonesColumna) {
        if (b.flag == flag) return b.etiqueta;
    }
    return "";
}
