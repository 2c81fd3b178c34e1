// Los cinco tipos de sección: revisión de sus valores y la sección de cada
// barra, que decide el último bloque que la nombra.
#include <cstring>
#include <initializer_list>
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

// Motivo por el que los valores de una sección no describen ninguna; vacío
// si la describen. Cada valor se lee, y se nombra, por su campo.

// "alma = -0.2, que debe ser mayor que 0"
std::string debeSerPositivo(const bloqueLeido& b, const char* campo)
{
    double v = b.valor(campo);
    return v > 0 ? "" : std::string(b.campo(campo).nombre) + " = " + texto(v) +
                            ", que debe ser mayor que 0";
}

// "espesor" o "2 radio": el campo, y su factor si no es 1
std::string termino(const bloqueLeido& b, const char* campo, int factor = 1)
{
    return (factor == 1 ? "" : std::to_string(factor) + " ") + b.campo(campo).nombre;
}

std::string primerMotivo(std::initializer_list<std::string> motivos)
{
    for (const std::string& m : motivos) {
        if (!m.empty()) {
            return m;
        }
    }
    return "";
}

// Material al final de los valores: E, poisson, peso específico
std::string revisarMaterial(const bloqueLeido& b)
{
    double nu = b.valor("poisson"), peso = b.valor("pesoEspecifico");
    return primerMotivo(
        {debeSerPositivo(b, "modElas"),
         nu > -1 && nu <= 0.5 ? ""
                              : termino(b, "poisson") + " = " + texto(nu) +
                                    ", que debe ser mayor que -1 y no mayor que 0.5",
         peso >= 0 ? ""
                   : termino(b, "pesoEspecifico") + " = " + texto(peso) +
                         ", que no puede ser negativo"});
}

std::string motivoRectangular(const bloqueLeido& b)
{
    return primerMotivo(
        {debeSerPositivo(b, "base"), debeSerPositivo(b, "altura"), revisarMaterial(b)});
}

// Costanera: alma, ala, labio, espesor, radio a la línea media
std::string motivoCostanera(const bloqueLeido& b)
{
    double alma = b.valor("alma"), ala = b.valor("ala"), labio = b.valor("labio");
    double t = b.valor("espesor"), r = b.valor("radio");
    std::string esquinas =
        termino(b, "radio", 2) + " + " + termino(b, "espesor") + " = " + texto(2 * r + t);
    return primerMotivo(
        {debeSerPositivo(b, "alma"), debeSerPositivo(b, "ala"), debeSerPositivo(b, "labio"),
         debeSerPositivo(b, "espesor"),
         r >= 0 ? "" : termino(b, "radio") + " = " + texto(r) + ", que no puede ser negativo",
         2 * r + t < alma ? ""
                          : esquinas + ", que no cabe en " + termino(b, "alma") + " = " + texto(alma),
         2 * r + t < ala ? ""
                         : esquinas + ", que no cabe en " + termino(b, "ala") + " = " + texto(ala),
         r + t / 2 <= labio ? ""
                            : termino(b, "radio") + " + " + termino(b, "espesor") +
                                  " / 2 = " + texto(r + t / 2) + ", que no cabe en " +
                                  termino(b, "labio") + " = " + texto(labio),
         revisarMaterial(b)});
}

// W: ala, grosorAla, alma (altura total), grosorAlma
std::string motivoW(const bloqueLeido& b)
{
    double ala = b.valor("ala"), tf = b.valor("grosorAla"), alma = b.valor("alma");
    double tw = b.valor("grosorAlma");
    return primerMotivo(
        {debeSerPositivo(b, "ala"), debeSerPositivo(b, "grosorAla"), debeSerPositivo(b, "alma"),
         debeSerPositivo(b, "grosorAlma"),
         2 * tf < alma ? ""
                       : termino(b, "grosorAla", 2) + " = " + texto(2 * tf) + ", que no cabe en " +
                             termino(b, "alma") + " = " + texto(alma),
         tw < ala ? ""
                  : termino(b, "grosorAlma") + " = " + texto(tw) + ", que no cabe en " +
                        termino(b, "ala") + " = " + texto(ala),
         revisarMaterial(b)});
}

std::string motivoGenerica(const bloqueLeido& b)
{
    return primerMotivo({debeSerPositivo(b, "area"), debeSerPositivo(b, "inerciaY"),
                         debeSerPositivo(b, "inerciaZ"), debeSerPositivo(b, "ModuloJ"),
                         revisarMaterial(b)});
}

// Una línea si los valores no describen ninguna sección; sus barras quedan
// sin sección si es el último bloque que las nombra
bool avisarSeccion(lecturaArchivo& c, const bloqueLeido& b, const std::string& motivo)
{
    if (motivo.empty()) {
        return true;
    }
    std::ostream& aviso = bloquesQueNoSeAplican(c, *b.clase).salida();
    aviso << "Advertencia: la sección " << c.lector.describir(b.etiqueta + 1) << " del bloque "
          << b.n << " de " << b.clase->etiqueta << " tiene " << motivo << "; no se aplica";
    for (size_t k = 0; k < b.filas.size(); k++) {
        aviso << (k == 0 ? " a las barras " : " ")
              << c.barras[static_cast<size_t>(b.filas[k])].usuario;
    }
    aviso << std::endl;
    return false;
}

// Líneas de la consola tras leer los bloques de dos de los tipos
struct lineaDeTipo {
    const char* etiqueta;
    const char* linea;
};
const lineaDeTipo lineasLeidas[] = {
    {"seccionCostanera:", "Secciones Costanera leidas"},
    {"seccionW:", "SeccionesW leidas"},
};

}  // namespace

bool revisarRectangular(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoRectangular(b));
}

bool revisarCostanera(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoCostanera(b));
}

bool revisarW(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoW(b));
}

bool revisarGenerica(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoGenerica(b));
}

// Lee los tipos de sección en el orden de la tabla de clases y da a cada
// barra la sección del último bloque que la nombra; si ese bloque no
// describe una sección, la barra queda sin sección
void leerSecciones(lecturaArchivo& c)
{
    std::vector<bloqueLeido> secciones;
    registroReemplazos reemplazos(c.mapaBarras, barra.size(), "sección");
    for (const claseDeBloque& clase : clasesDeBloque) {
        if (clase.fase != faseBloque::secciones) {
            continue;
        }
        for (bloqueLeido& b : leerBloques(c, clase)) {
            int id = reemplazos.agregarBloque(descripcion(c, b));
            for (int f : b.filas) {
                reemplazos.anotar(f, c.barras[static_cast<size_t>(f)].usuario, id);
            }
            secciones.push_back(std::move(b));
        }
        for (const lineaDeTipo& l : lineasLeidas) {
            if (std::strcmp(l.etiqueta, clase.etiqueta) == 0) {
                std::cout << l.linea << std::endl;
            }
        }
    }
    reemplazos.avisar();
    // el último bloque que nombra a cada barra decide su sección
    std::vector<int> decide(barra.size(), -1);
    for (size_t s = 0; s < secciones.size(); s++) {
        for (int f : secciones[s].filas) {
            decide[static_cast<size_t>(f)] = static_cast<int>(s);
        }
    }
    for (size_t s = 0; s < secciones.size(); s++) {
        const bloqueLeido& b = secciones[s];
        if (!b.aplicable) {
            continue;
        }
        for (int f : b.filas) {
            if (decide[static_cast<size_t>(f)] == static_cast<int>(s)) {
                b.clase->aplicar(f, b);
            }
        }
    }
}

}  // namespace lectura
