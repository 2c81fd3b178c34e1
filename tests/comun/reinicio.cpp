#include "comun/reinicio.h"

#include "app/zurezar3o.h"

void reiniciarModelo()
{
    nudo.clear();
    barra.clear();
    noNudos = 0;
    noBarras = 0;
    noCombos = 0;
    punteroNudos.resize(0);
    punteroBarras.resize(0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
    kEstructura.resize(0, 0);
    pEstructura.resize(0, 0);
    fEstructura.resize(0, 0);
    restriccionesEstructura.resize(0);
    mensajeAnalisis.clear();
}
