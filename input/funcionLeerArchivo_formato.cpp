// Las clases de bloque del formato: etiqueta, nombre, campos, lista, fase y
// cómo se revisan y se aplican sus valores. Cada clase se describe solo aquí.
#include <cmath>
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

const char* const etiquetaNudos = "nudos:";
const char* const etiquetaBarras = "barras:";
const char* const etiquetaPesoPropio = "pesoPropio:";
const char* const etiquetaCombo = "combo:";

namespace {

objNudo3d& nudoDeFila(int f) { return nudo[static_cast<size_t>(f)]; }
objBarra3d& barraDeFila(int f) { return barra[static_cast<size_t>(f)]; }

// Códigos de apoyo: 0 libre, 1 restringido
bool revisarApoyo(lecturaArchivo& c, const bloqueLeido& b)
{
    for (size_t k = 0; k < b.fijos.size(); k++) {
        if (b.fijos[k] != 0 && b.fijos[k] != 1) {
            bloquesQueNoSeAplican(c, *b.clase).salida()
                << "Advertencia: el " << descripcion(c, b) << " tiene el código "
                << c.lector.describir(b.primerFijo + k) << ", que no es 0 ni 1; no se aplica"
                << std::endl;
            return false;
        }
    }
    return true;
}

// Giro en grados: una vuelta a cada lado
const double giroMaximo = 360;

bool revisarGiro(lecturaArchivo& c, const bloqueLeido& b)
{
    if (std::abs(b.valor("angulo")) > giroMaximo) {
        bloquesQueNoSeAplican(c, *b.clase).salida()
            << "Advertencia: el " << descripcion(c, b) << " tiene el giro "
            << c.lector.describir(b.token("angulo")) << ", fuera de -" << giroMaximo << " a "
            << giroMaximo << " grados; no se aplica" << std::endl;
        return false;
    }
    return true;
}

// Fijaciones de 0 (rótula) a 1 (rígido); la barra acota las demás
bool revisarFijacion(lecturaArchivo& c, const bloqueLeido& b)
{
    for (size_t k = 0; k < b.fijos.size(); k++) {
        double v = b.fijos[k];
        if (v < 0 || v > 1) {
            c.avisos(std::string("fijaciones fuera de 0 a 1 en ") + b.clase->etiqueta).salida()
                << "Advertencia: el " << descripcion(c, b) << " tiene la fijación "
                << c.lector.describir(b.primerFijo + k) << ", fuera de 0 a 1; se toma "
                << (v < 0 ? 0 : 1) << std::endl;
        }
    }
    return true;
}

// Material, nombre y peso específico comunes a todas las secciones
void materialSeccion(objBarra3d& s, const bloqueLeido& b)
{
    s.setModuloEyPoisson(b.valor("modElas"), b.valor("poisson"));
    s.setNombreDeSeccion(b.nombre);
    s.setPesoEspecifico(b.valor("pesoEspecifico"));
}

// Los valores de cada clase, en el orden del archivo
constexpr campoBloque camposApoyo[] = {{"Ux"}, {"Uy"}, {"Uz"}, {"giroX"}, {"giroY"}, {"giroZ"}};
constexpr campoBloque camposPuntual[] = {{"Px"}, {"Py"}, {"Pz"}, {"Mx"}, {"My"}, {"Mz"}};
constexpr campoBloque camposRectangular[] = {
    {"base"}, {"altura"}, {"modElas"}, {"poisson", "modPoisson"}, {"pesoEspecifico"}};
constexpr campoBloque camposPlaca[] = {
    {"base"}, {"altura"}, {"modElas"}, {"poisson"}, {"pesoEspecifico"}};
constexpr campoBloque camposCostanera[] = {{"alma"},    {"ala"},     {"labio"},
                                           {"espesor"}, {"radio"},   {"modElas"},
                                           {"poisson"}, {"pesoEspecifico"}};
constexpr campoBloque camposW[] = {{"ala"},     {"grosorAla"}, {"alma"},
                                   {"grosorAlma"}, {"modElas"}, {"poisson"},
                                   {"pesoEspecifico"}};
constexpr campoBloque camposGenerica[] = {{"area"},    {"inerciaY"}, {"inerciaZ"},
                                          {"ModuloJ"}, {"modElas"},  {"poisson"},
                                          {"pesoEspecifico"}};
constexpr campoBloque camposRotacion[] = {{"angulo", "angulo(en grados Sexagesimales)"}};
constexpr campoBloque camposLocalX[] = {{"fIni"}, {"fFin"}};
constexpr campoBloque camposLocalY[] = {{"qYIni"}, {"qYFin"}};
constexpr campoBloque camposLocalZ[] = {{"qZIni"}, {"qZFin"}};
constexpr campoBloque camposLocalT[] = {{"torsion"}};
constexpr campoBloque camposGlobal[] = {{"qIzq"}, {"qDer"}, {"dirX"}, {"dirY"}, {"dirZ"}};
constexpr campoBloque camposArticulacion[] = {
    {"articInicioY"}, {"articFinY"}, {"articInicioZ"}, {"articFinZ"}};

constexpr const char* tagSeccion = "tagSeccion";
constexpr const char* casoCarga = "casoCarga";
constexpr efectoBloque reemplaza = efectoBloque::reemplaza;
constexpr efectoBloque carga = efectoBloque::carga;
constexpr listaDe nudos = listaDe::nudos;
constexpr listaDe barras = listaDe::barras;

// Las dos familias: secciones (con nombre, reemplazan la sección de sus
// barras) y cargas distribuidas (suman una carga al caso de su nombre)
constexpr claseDeBloque seccion(const char* etiqueta, tablaFija<campoBloque> campos,
                                revisionFijos revisar, aplicacionBloque aplicar)
{
    return {etiqueta, tagSeccion, campos, barras, faseBloque::secciones, reemplaza, "sección",
            revisar, aplicar};
}

constexpr claseDeBloque cargaDeBarra(const char* etiqueta, tablaFija<campoBloque> campos,
                                     aplicacionBloque aplicar)
{
    return {etiqueta, casoCarga, campos, barras, faseBloque::distribuidas, carga, "", nullptr,
            aplicar};
}

constexpr std::array tablaDeClases{
    claseDeBloque{"apoyo:", nullptr, tablaDe(camposApoyo), nudos, faseBloque::apoyos, reemplaza,
                  "apoyo", revisarApoyo,
                  [](int f, const bloqueLeido& b) {
                      // los códigos ya son 0 o 1
                      nudoDeFila(f).setApoyo(
                          static_cast<int>(b.valor("Ux")), static_cast<int>(b.valor("Uy")),
                          static_cast<int>(b.valor("Uz")), static_cast<int>(b.valor("giroX")),
                          static_cast<int>(b.valor("giroY")), static_cast<int>(b.valor("giroZ")));
                  }},
    claseDeBloque{"puntual:", casoCarga, tablaDe(camposPuntual), nudos, faseBloque::puntuales,
                  carga, "", nullptr,
                  [](int f, const bloqueLeido& b) {
                      nudoDeFila(f).setCargaPuntual(b.nombre, b.valor("Px"), b.valor("Py"),
                                                    b.valor("Pz"), b.valor("Mx"), b.valor("My"),
                                                    b.valor("Mz"));
                  }},
    seccion("seccionRectangular:", tablaDe(camposRectangular), revisarRectangular,
            [](int f, const bloqueLeido& b) {
                barraDeFila(f).setSeccionRectangular(b.valor("base"), b.valor("altura"));
                materialSeccion(barraDeFila(f), b);
            }),
    seccion("seccionPlaca:", tablaDe(camposPlaca), revisarRectangular,
            [](int f, const bloqueLeido& b) {
                barraDeFila(f).setSeccionPlaca(b.valor("base"), b.valor("altura"));
                materialSeccion(barraDeFila(f), b);
            }),
    seccion("seccionCostanera:", tablaDe(camposCostanera), revisarCostanera,
            [](int f, const bloqueLeido& b) {
                // el setter toma el ancho del ala antes que el alto del alma
                barraDeFila(f).setSeccionCostanera(b.valor("ala"), b.valor("alma"),
                                                   b.valor("labio"), b.valor("espesor"),
                                                   b.valor("radio"));
                materialSeccion(barraDeFila(f), b);
            }),
    seccion("seccionW:", tablaDe(camposW), revisarW,
            [](int f, const bloqueLeido& b) {
                barraDeFila(f).setSeccionW(b.valor("ala"), b.valor("grosorAla"),
                                           b.valor("alma"), b.valor("grosorAlma"));
                materialSeccion(barraDeFila(f), b);
            }),
    seccion("seccionGenerica:", tablaDe(camposGenerica), revisarGenerica,
            [](int f, const bloqueLeido& b) {
                barraDeFila(f).setSeccionGenerica(b.valor("area"), b.valor("inerciaY"),
                                                  b.valor("inerciaZ"), b.valor("ModuloJ"));
                materialSeccion(barraDeFila(f), b);
            }),
    claseDeBloque{"rotacionBarra:", nullptr, tablaDe(camposRotacion), barras, faseBloque::giros,
                  reemplaza, "giro", revisarGiro,
                  [](int f, const bloqueLeido& b) {
                      barraDeFila(f).setRotacion(b.valor("angulo"));
                  }},
    cargaDeBarra("distribuidaLocalX:", tablaDe(camposLocalX),
                 [](int f, const bloqueLeido& b) {
                     barraDeFila(f).setDistribuidaLocalX(b.nombre, b.valor("fIni"),
                                                         b.valor("fFin"));
                 }),
    cargaDeBarra("distribuidaLocalY:", tablaDe(camposLocalY),
                 [](int f, const bloqueLeido& b) {
                     barraDeFila(f).setDistribuidaLocalY(b.nombre, b.valor("qYIni"),
                                                         b.valor("qYFin"));
                 }),
    cargaDeBarra("distribuidaLocalZ:", tablaDe(camposLocalZ),
                 [](int f, const bloqueLeido& b) {
                     barraDeFila(f).setDistribuidaLocalZ(b.nombre, b.valor("qZIni"),
                                                         b.valor("qZFin"));
                 }),
    cargaDeBarra("distribuidaLocalT:", tablaDe(camposLocalT),
                 [](int f, const bloqueLeido& b) {
                     barraDeFila(f).setDistribuidaLocalT(b.nombre, b.valor("torsion"));
                 }),
    cargaDeBarra("distribuidaGlobal:", tablaDe(camposGlobal),
                 [](int f, const bloqueLeido& b) {
                     barraDeFila(f).setDistribuidaGlobal(b.nombre, b.valor("qIzq"),
                                                         b.valor("qDer"), b.valor("dirX"),
                                                         b.valor("dirY"), b.valor("dirZ"));
                 }),
    claseDeBloque{"articulacion:", nullptr, tablaDe(camposArticulacion), barras,
                  faseBloque::articulaciones, reemplaza, "fijaciones", revisarFijacion,
                  [](int f, const bloqueLeido& b) {
                      barraDeFila(f).setArticulacion(b.valor("articInicioY"), b.valor("articFinY"),
                                                     b.valor("articInicioZ"),
                                                     b.valor("articFinZ"));
                  }},
};

}  // namespace

// De inicialización constante: otros archivos la leen al iniciar
constexpr tablaFija<claseDeBloque> clasesDeBloque = tablaDe(tablaDeClases);

}  // namespace lectura
