// Captura de lo que dibuja OpenGL: modo feedback y lectura de píxeles.
// Requiere el contexto de la ventana que abre comun/main_visor.cpp.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct VerticeGL {
    float x, y, z;     // coordenadas de ventana (y hacia arriba, z de 0 a 1)
    float r, g, b, a;  // color
};

struct PrimitivaGL {
    enum Tipo { Punto, Linea, Poligono, Bitmap, DibujoPixeles, CopiaPixeles, Marca };
    Tipo tipo;
    std::vector<VerticeGL> v;  // vacío para Marca
    float marca = 0;           // valor de glPassThrough
};

// Ejecuta el dibujo en modo feedback (GL_3D_COLOR) y devuelve sus primitivas.
std::vector<PrimitivaGL> capturarFeedback(const std::function<void()>& dibujo,
                                          int capacidad = 1 << 22);

// Cuenta las primitivas de un tipo.
int contarPrimitivas(const std::vector<PrimitivaGL>& p, PrimitivaGL::Tipo tipo);

// Píxeles RGB del búfer trasero, fila 0 abajo (como glReadPixels).
std::vector<unsigned char> leerPixeles(int& ancho, int& alto);

// Guarda el búfer trasero como PPM (para mirarlo convertido a PNG).
void guardarPPM(const std::string& ruta);
