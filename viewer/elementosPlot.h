// Dibujos del visor: primitivas, panel, modelo y resultados.
// Implementación:
//   elementosPlot_primitivas.cpp  flechas, arcos, textos y números
//   elementosPlot_panel.cpp       panel superpuesto y textos de ayuda
//   elementosPlot_modelo.cpp      ejes, nudos, barras, etiquetas, secciones, volumen
//   elementosPlot_apoyos.cpp      símbolos de apoyo
//   elementosPlot_resultados.cpp  deformada, diagramas y reacciones
//   elementosPlot_cargas.cpp      cargas del combo
#pragma once

#include <string>

// Primitivas
void drawFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double h);
void plotArcoXY(double r, double a0, double a1);
void drawTextoEscalado(double x, double y, double z, const char* texto, double h, int alineacion);
void drawTextoEscaladoFacing(double x, double y, double z, const char* texto, double h,
                             int alineacion);
void drawNumFloat(double x, double y, double z, double v, int p, double h, int alineacion);
void drawNumFloatFacing(double x, double y, double z, double v, int p, double h, int alineacion);
void drawNumSci(double x, double y, double z, double v, int p, double h, int alineacion);
void drawNumSciFacing(double x, double y, double z, double v, int p, double h, int alineacion);
// Flecha con cabeza de tamaño distCamObj / 75, que sigue a la cámara
void drawFlechaCamara(double x1, double y1, double z1, double x2, double y2, double z2);
double tamanoCabezaCamara();

// Grabación de la escena en listas de OpenGL (caché del cuadro). Mientras se
// graba, el giro de cara a la cámara y la cabeza de drawFlechaCamara se llaman
// por nombre a dos listas chicas que funcionPrepararGrabacion rehace con la
// cámara actual en cada cuadro: la escena grabada vale al mover la cámara.
// false si no hay listas de OpenGL (entonces se dibuja sin caché).
void funcionGrabarEscena(bool activa);
bool funcionPrepararGrabacion();

// Panel superpuesto
void plotDialogo();
extern const std::string textoAyuda;
extern const std::string textoAyudaEtiquetas[4];
// Convierte texto UTF-8 a Latin-1 para la fuente de mapa de bits
std::string funcionUtf8ALatin1(const std::string& texto);

// Modelo
void plotEjes();
void plotNudos();
void plotBarras();
void plotArticulaciones();
void plotTagNudos(double h);
void plotTagBarras(double h);
void plotSecciones(double h);
// Con cada modelo cargado las barras sin sección vuelven a avisar una vez
void reiniciarAvisosSecciones();
void plotVolumen();
void plotApoyos(double s);

// Resultados
void plotDeformada(int c, double s);
void plotAxial(int c, double s);
void plotCortanteY(int c, double s);
void plotMomentoY(int c, double s);
void plotCortanteZ(int c, double s);
void plotMomentoZ(int c, double s);
void plotTorsion(int c, double s);
void plotCarga(int c, double s);
void plotReacciones(int c);
