// Caché del cuadro: las tandas de la escena se graban (lo fijo en listas de
// OpenGL; lo que depende de la cámara se resuelve al reproducir) y se
// reproducen mientras solo cambia la cámara. Se vuelven a grabar cuando cambia
// algo de lo que dibujan, según una firma del estado comparada en cada cuadro.
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include <GL/gl.h>

#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"
#include "viewer/lotePlot.h"

namespace {

bool cacheActiva = false;
int grabaciones = 0;
// Cambia con cada recarga del modelo. Los resultados no necesitan otra marca:
// "Calcular" cambia flags (la entrada del análisis hecho) y, con el mismo
// modelo, un análisis más da los mismos resultados.
unsigned long versionModelo = 0;

// Todo lo que leen los dibujos grabados, salvo la cámara: el giro de cara a
// ella y la cabeza de las flechas de carga se resuelven al reproducir
struct Firma {
    std::vector<int> flags;
    std::vector<double> reales;
    std::vector<long long> enteros;
    std::vector<int> barrasAisladas;
    std::vector<int> nudosAislados;
};

void copiar(const VectorXi& v, std::vector<int>& a) { a.assign(v.data(), v.data() + v.size()); }

long long direccion(const void* p)
{
    return static_cast<long long>(reinterpret_cast<std::intptr_t>(p));
}

// La firma del estado de ahora, escrita sobre f sin pedir memoria si sus
// vectores ya tienen lugar
void leerFirma(Firma& f)
{
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
    copiar(barrasAisladas, f.barrasAisladas);
    copiar(nudosAislados, f.nudosAislados);
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
void funcionCacheDibujo(bool activa) { cacheActiva = activa; }

int funcionGrabacionesEscena() { return grabaciones; }

void funcionInvalidarDibujo() { versionModelo++; }

void funcionDibujarEscena(void (*escena)())
{
    if (!cacheActiva) {
        escena();
        return;
    }
    leerFirma(firmaCuadro);
    bool vigente =
        grabacion.hecha && grabacion.escena == escena && misma(grabacion.firma, firmaCuadro);
    if (!vigente && !grabar(escena, firmaCuadro)) {
        escena();
        return;
    }
    loteReproducir(grabacion.tandas);
}
