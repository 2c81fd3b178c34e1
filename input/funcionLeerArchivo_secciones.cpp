// Los cinco tipos de sección: revisión de sus valores y la sección de cada
// barra, que decide el último bloque que la nombra.
#include <initializer_list>
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

// Motivo por el que los valores de una sección no describen ninguna; vacío
// si la describen. v son los valores fijos del bloque, en orden del archivo.

std::string debeSerPositivo(const char* nombre, double v)
{
    return v > 0 ? "" : std::string(nombre) + " = " + texto(v) + ", que debe ser mayor que 0";
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
std::string revisarMaterial(const std::vector<double>& v, size_t desde)
{
    double nu = v[desde + 1];
    return primerMotivo(
        {debeSerPositivo("modElas", v[desde]),
         nu > -1 && nu <= 0.5
             ? ""
             : "poisson = " + texto(nu) + ", que debe ser mayor que -1 y no mayor que 0.5",
         v[desde + 2] >= 0 ? ""
                           : "pesoEspecifico = " + texto(v[desde + 2]) +
                                 ", que no puede ser negativo"});
}

std::string motivoRectangular(const std::vector<double>& v)
{
    return primerMotivo(
        {debeSerPositivo("base", v[0]), debeSerPositivo("altura", v[1]), revisarMaterial(v, 2)});
}

// Costanera: alma, ala, labio, espesor, radio a la línea media
std::string motivoCostanera(const std::vector<double>& v)
{
    double alma = v[0], ala = v[1], labio = v[2], t = v[3], r = v[4];
    std::string esquinas = "2 radio + espesor = " + texto(2 * r + t);
    return primerMotivo(
        {debeSerPositivo("alma", alma), debeSerPositivo("ala", ala),
         debeSerPositivo("labio", labio), debeSerPositivo("espesor", t),
         r >= 0 ? "" : "radio = " + texto(r) + ", que no puede ser negativo",
         2 * r + t < alma ? "" : esquinas + ", que no cabe en alma = " + texto(alma),
         2 * r + t < ala ? "" : esquinas + ", que no cabe en ala = " + texto(ala),
         r + t / 2 <= labio
             ? ""
             : "radio + espesor / 2 = " + texto(r + t / 2) + ", que no cabe en labio = " +
                   texto(labio),
         revisarMaterial(v, 5)});
}

// W: ala, grosorAla, alma (altura total), grosorAlma
std::string motivoW(const std::vector<double>& v)
{
    double ala = v[0], tf = v[1], alma = v[2], tw = v[3];
    return primerMotivo(
        {debeSerPositivo("ala", ala), debeSerPositivo("grosorAla", tf),
         debeSerPositivo("alma", alma), debeSerPositivo("grosorAlma", tw),
         2 * tf < alma ? ""
                       : "2 grosorAla = " + texto(2 * tf) + ", que no cabe en alma = " +
                             texto(alma),
         tw < ala ? "" : "grosorAlma = " + texto(tw) + ", que no cabe en ala = " + texto(ala),
         revisarMaterial(v, 4)});
}

std::string motivoGenerica(const std::vector<double>& v)
{
    return primerMotivo({debeSerPositivo("area", v[0]), debeSerPositivo("inerciaY", v[1]),
                         debeSerPositivo("inerciaZ", v[2]), debeSerPositivo("ModuloJ", v[3]),
                         revisarMaterial(v, 4)});
}

using aplicarSeccion = void (*)(objBarra3d& b, const std::string& nombre,
                               const std::vector<double>& v);

struct claseDeSeccion {
    const claseDeBloque* clase;
    aplicarSeccion aplicar;
};

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

// Material, nombre y peso específico comunes a las secciones con forma
void materialSeccion(objBarra3d& b, const std::string& nombre, const std::vector<double>& v,
                     size_t desde)
{
    b.setModuloEyPoisson(v[desde], v[desde + 1]);
    b.setNombreDeSeccion(nombre);
    b.setPesoEspecifico(v[desde + 2]);
}

const claseDeSeccion tiposDeSeccion[] = {
    {&bloqueRectangular,
     [](objBarra3d& b, const std::string& nombre, const std::vector<double>& v) {
         b.setSeccionRectangular(v[0], v[1]);
         materialSeccion(b, nombre, v, 2);
     }},
    {&bloquePlaca,
     [](objBarra3d& b, const std::string& nombre, const std::vector<double>& v) {
         b.setSeccionPlaca(v[0], v[1]);
         materialSeccion(b, nombre, v, 2);
     }},
    // alto del alma y ancho del ala llegan al setter en orden inverso
    {&bloqueCostanera,
     [](objBarra3d& b, const std::string& nombre, const std::vector<double>& v) {
         b.setSeccionCostanera(v[1], v[0], v[2], v[3], v[4]);
         materialSeccion(b, nombre, v, 5);
     }},
    {&bloqueW,
     [](objBarra3d& b, const std::string& nombre, const std::vector<double>& v) {
         b.setSeccionW(v[0], v[1], v[2], v[3]);
         materialSeccion(b, nombre, v, 4);
     }},
    {&bloqueGenerica,
     [](objBarra3d& b, const std::string& nombre, const std::vector<double>& v) {
         b.setNombreDeSeccion(nombre);
         b.setSeccionGenerica(v[0], v[1], v[2], v[3]);
         b.setModuloEyPoisson(v[4], v[5]);
         b.setPesoEspecifico(v[6]);
     }},
};

}  // namespace

bool revisarRectangular(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoRectangular(b.fijos));
}

bool revisarCostanera(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoCostanera(b.fijos));
}

bool revisarW(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoW(b.fijos));
}

bool revisarGenerica(lecturaArchivo& c, const bloqueLeido& b)
{
    return avisarSeccion(c, b, motivoGenerica(b.fijos));
}

// Lee los cinco tipos de sección en su orden y da a cada barra la sección del
// último bloque que la nombra; si ese bloque no describe una sección, la
// barra queda sin sección
void leerSecciones(lecturaArchivo& c)
{
    struct seccionLeida {
        const claseDeSeccion* tipo;
        bloqueLeido bloque;
        bool valida;
    };
    std::vector<seccionLeida> secciones;
    registroReemplazos reemplazos(c.mapaBarras, barra.size(), "sección");
    for (const claseDeSeccion& tipo : tiposDeSeccion) {
        for (bloqueLeido& b : leerBloques(c, *tipo.clase)) {
            int id = reemplazos.agregarBloque(descripcion(c, b));
            for (int f : b.filas) {
                reemplazos.anotar(f, c.barras[static_cast<size_t>(f)].usuario, id);
            }
            bool valida = b.aplicable;
            secciones.push_back({&tipo, std::move(b), valida});
        }
        if (tipo.clase == &bloqueCostanera) {
            std::cout << "Secciones Costanera leidas" << std::endl;
        } else if (tipo.clase == &bloqueW) {
            std::cout << "SeccionesW leidas" << std::endl;
        }
    }
    reemplazos.avisar();
    // el último bloque que nombra a cada barra decide su sección
    std::vector<int> decide(barra.size(), -1);
    for (size_t s = 0; s < secciones.size(); s++) {
        for (int f : secciones[s].bloque.filas) {
            decide[static_cast<size_t>(f)] = static_cast<int>(s);
        }
    }
    for (size_t s = 0; s < secciones.size(); s++) {
        const seccionLeida& sl = secciones[s];
        if (!sl.valida) {
            continue;
        }
        for (int f : sl.bloque.filas) {
            if (decide[static_cast<size_t>(f)] == static_cast<int>(s)) {
                sl.tipo->aplicar(barra[static_cast<size_t>(f)], sl.bloque.nombre, sl.bloque.fijos);
            }
        }
    }
}

}  // namespace lectura
