// Caché del cuadro: los pasos de la escena que no siguen a la cámara se graban
// en listas de OpenGL y se reproducen mientras solo cambia la cámara. Se
// vuelven a grabar cuando cambia algo de lo que dibujan, según una firma del
// estado comparada en cada cuadro.
#include <cstdint>
#include <cstring>
#include <vector>

#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

namespace {

bool cacheActiva = false;
int grabaciones = 0;
// Cambia con cada recarga del modelo. Los resultados no necesitan otra marca:
// "Calcular" cambia flags (la entrada del análisis hecho) y, con el mismo
// modelo, un análisis más da los mismos resultados.
unsigned long versionModelo = 0;

// Todo lo que leen los dibujos grabados, salvo la cámara: el giro de cara a
// ella y la cabeza de las flechas de carga entran al reproducir, por las
// listas chicas de las primitivas
struct Firma {
    std::vector<int> flags;
    std::vector<double> reales;
    std::vector<long long> enteros;
    std::vector<int> barrasAisladas;
    std::vector<int> nudosAislados;
};

std::vector<int> copiar(const VectorXi& v)
{
    return std::vector<int>(v.data(), v.data() + v.size());
}

long long direccion(const void* p)
{
    return static_cast<long long>(reinterpret_cast<std::intptr_t>(p));
}

Firma firmaActual()
{
    Firma f;
    f.flags = flags;
    f.reales = {escalaTexto, escalaDef,   escalaMy,    escalaMz, escalaVy, escalaVz,
                escalaN,     escalaT,     escalaApoyo, escalaCarga, diagonal, PI};
    f.enteros = {precision,
                 noNudos,
                 noBarras,
                 noCombos,
                 static_cast<long long>(nudo.size()),
                 static_cast<long long>(barra.size()),
                 direccion(nudo.data()),
                 direccion(barra.data()),
                 static_cast<long long>(versionModelo)};
    f.barrasAisladas = copiar(barrasAisladas);
    f.nudosAislados = copiar(nudosAislados);
    return f;
}

// Reales comparados bit a bit: un NaN es igual a sí mismo
bool mismosReales(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

bool misma(const Firma& a, const Firma& b)
{
    return a.flags == b.flags && mismosReales(a.reales, b.reales) && a.enteros == b.enteros &&
           a.barrasAisladas == b.barrasAisladas && a.nudosAislados == b.nudosAislados;
}

struct Grabacion {
    bool hecha = false;
    const PasoEscena* pasos = nullptr;
    int n = 0;
    Firma firma;
    std::vector<GLuint> listas;  // una por paso; 0 en los que siguen a la cámara
};
Grabacion grabacion;

void dibujarSinCache(const PasoEscena* pasos, int n)
{
    for (int i = 0; i < n; i++) pasos[i].dibujo();
}

// Graba los pasos que no siguen a la cámara, cada uno en su lista; false si
// OpenGL no pudo (entonces el cuadro se dibuja sin caché)
bool grabar(const PasoEscena* pasos, int n, const Firma& firma)
{
    grabacion.hecha = false;
    grabacion.listas.resize(static_cast<size_t>(n), 0);
    // Errores anteriores fuera: los que queden después son de la grabación
    for (int k = 0; k < 16 && glGetError() != GL_NO_ERROR; k++) {
    }
    for (int i = 0; i < n; i++) {
        GLuint& lista = grabacion.listas[static_cast<size_t>(i)];
        if (pasos[i].sigueCamara) continue;
        if (lista == 0) lista = glGenLists(1);
        if (lista == 0) return false;
        glNewList(lista, GL_COMPILE);
        funcionGrabarEscena(true);
        pasos[i].dibujo();
        funcionGrabarEscena(false);
        glEndList();
        if (glGetError() != GL_NO_ERROR) return false;
    }
    grabacion.hecha = true;
    grabaciones++;
    grabacion.pasos = pasos;
    grabacion.n = n;
    grabacion.firma = firma;
    return true;
}

}  // namespace

// La grabación queda: vale mientras la firma no cambie
void funcionCacheDibujo(bool activa) { cacheActiva = activa; }

int funcionGrabacionesEscena() { return grabaciones; }

void funcionInvalidarDibujo() { versionModelo++; }

void funcionDibujarEscena(const PasoEscena* pasos, int n)
{
    if (!cacheActiva || !funcionPrepararGrabacion()) {
        dibujarSinCache(pasos, n);
        return;
    }
    Firma firma = firmaActual();
    bool vigente = grabacion.hecha && grabacion.pasos == pasos && grabacion.n == n &&
                   misma(grabacion.firma, firma);
    if (!vigente && !grabar(pasos, n, firma)) {
        dibujarSinCache(pasos, n);
        return;
    }
    for (int i = 0; i < n; i++) {
        if (pasos[i].sigueCamara) {
            pasos[i].dibujo();
        } else {
            glCallList(grabacion.listas[static_cast<size_t>(i)]);
        }
    }
}
