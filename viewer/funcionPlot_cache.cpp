// Caché del cuadro: las tandas de la escena se graban (lo fijo en listas de
// OpenGL; lo que depende de la cámara se resuelve al reproducir) y se
// reproducen mientras solo cambia la cámara. Se vuelven a grabar cuando cambia
// algo de lo que dibujan, según una firma del estado comparada en cada cuadro
// (estadoEscena, declarado con los globales).
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"
#include "viewer/lotePlot.h"

namespace {

bool cacheActiva = false;
int grabaciones = 0;

// Firma: los bytes de todo lo que leen los dibujos grabados (estadoEscena),
// salvo la cámara: el giro de cara a ella, la cabeza de las flechas de carga y
// el corrimiento de las etiquetas se resuelven al reproducir. Los reales se
// comparan bit a bit: un NaN es igual a sí mismo.
using Firma = std::vector<unsigned char>;

void agregarBytes(Firma& f, const void* p, size_t n)
{
    const unsigned char* b = static_cast<const unsigned char*>(p);
    f.insert(f.end(), b, b + n);
}

template <class T>
void agregar(Firma& f, const T& v)
{
    static_assert(std::is_arithmetic_v<T>, "la firma lleva números y vectores de enteros");
    agregarBytes(f, &v, sizeof v);
}

// Vectores de enteros con su largo delante: dos vectores seguidos no se confunden
template <class Vector>
void agregarVector(Firma& f, const Vector& v)
{
    const size_t n = static_cast<size_t>(v.size());
    agregar(f, n);
    agregarBytes(f, v.data(), n * sizeof(int));
}

void agregar(Firma& f, const std::vector<int>& v) { agregarVector(f, v); }
void agregar(Firma& f, const VectorXi& v) { agregarVector(f, v); }

// La firma del estado de ahora, escrita sobre f sin pedir memoria si ya tiene lugar
void leerFirma(Firma& f)
{
    f.clear();
    std::apply([&f](const auto&... g) { (agregar(f, g), ...); }, estadoEscena());
}

struct Grabacion {
    bool hecha = false;
    void (*escena)() = nullptr;
    Firma firma;
    GrabacionLote tandas;
};
Grabacion grabacion;
// La firma de cada cuadro, leída siempre sobre los mismos vectores
Firma firmaCuadro;

// Graba las tandas de la escena y se queda con la firma; false si OpenGL dio
// un error (entonces el cuadro se dibuja sin caché)
bool grabar(void (*escena)(), Firma& firma)
{
    grabacion.hecha = false;
    loteVaciarGrabacion(grabacion.tandas);
    // Errores anteriores fuera: los que queden después son de la grabación
    for (int k = 0; k < 16 && glGetError() != GL_NO_ERROR; k++) {
    }
    loteGrabarEn(&grabacion.tandas);
    escena();
    loteGrabarEn(nullptr);
    if (glGetError() != GL_NO_ERROR) return false;
    grabacion.hecha = true;
    grabaciones++;
    grabacion.escena = escena;
    std::swap(grabacion.firma, firma);
    return true;
}

}  // namespace

// La grabación queda: vale mientras la firma no cambie
void funcionCacheDibujo(Cache estado) { cacheActiva = estado == Cache::encendida; }

int funcionGrabacionesEscena() { return grabaciones; }

void funcionDibujarEscena(void (*escena)())
{
    if (!cacheActiva) {
        escena();
        return;
    }
    leerFirma(firmaCuadro);
    bool vigente =
        grabacion.hecha && grabacion.escena == escena && grabacion.firma == firmaCuadro;
    if (!vigente && !grabar(escena, firmaCuadro)) {
        escena();
        return;
    }
    loteReproducir(grabacion.tandas);
}
