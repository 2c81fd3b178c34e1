// Bloques de la gramática: etiqueta, nombre, K valores fijos y lista. Cada
// bloque se lee de una corrida del lector; lo que no se puede leer o no se
// aplica se dice en una línea que nombra el token y su línea.
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

const campoBloque& bloqueLeido::campo(const char* nombre) const
{
    return clase->campos[posicion(nombre)];
}

double bloqueLeido::valor(const char* nombre) const { return fijos[posicion(nombre)]; }

size_t bloqueLeido::token(const char* nombre) const { return primerFijo + posicion(nombre); }

// Un nombre que la clase no tiene es una falla del programa, no del archivo
size_t bloqueLeido::posicion(const char* nombre) const
{
    for (size_t k = 0; k < clase->K(); k++) {
        if (std::strcmp(clase->campos[k].nombre, nombre) == 0) {
            return k;
        }
    }
    std::cerr << "Error interno: " << clase->etiqueta << " no tiene el campo " << nombre
              << std::endl;
    std::abort();
}

avisosLimitados& bloquesQueNoSeAplican(lecturaArchivo& c, const claseDeBloque& clase)
{
    return c.avisos(std::string("bloques de ") + clase.etiqueta + " que no se aplican");
}

std::string descripcion(lecturaArchivo& c, const bloqueLeido& b)
{
    std::string d = "bloque " + std::to_string(b.n) + " de " + b.clase->etiqueta + " (";
    if (b.clase->conNombre()) {
        d += (b.nombre.empty() ? std::string("sin nombre") : claseLeerArchivo::citar(b.nombre)) +
             ", ";
    }
    return d + "línea " + std::to_string(c.lector.getLinea(b.etiqueta)) + ")";
}

namespace {

// Lo que tiene un bloque con K números o menos (al menos uno): "sus 6
// valores y ningún nudo", "2 de sus 6 valores y ninguna barra"
std::string loQueTiene(const claseDeBloque& clase, size_t numeros)
{
    const size_t K = clase.K();
    std::string valores = K == 1        ? "su valor"
                          : numeros == K ? "sus " + std::to_string(K) + " valores"
                                         : std::to_string(numeros) + " de sus " + std::to_string(K) +
                                               " valores";
    return valores + (clase.lista == listaDe::nudos ? " y ningún nudo" : " y ninguna barra");
}

// El último valor fijo solo en la línea donde empieza la lista, con los
// demás en líneas anteriores: suele ser el primer número de la lista en un
// bloque con un valor de menos. Un solo valor fijo tomado de esa línea es la
// señal: con dos o más, son valores fijos partidos en dos líneas. Sin lista,
// la línea es la del último valor, donde la lista empezaría.
bool ultimoFijoEnLaLista(lecturaArchivo& c, const bloqueLeido& b, const corridaLeida& r,
                         bool conLista)
{
    const size_t K = b.clase->K();
    if (K < 2) {
        return false;
    }
    int linea = c.lector.getLinea(r.tokenValor(K - 1));
    return c.lector.getLinea(r.tokenValor(K - 2)) != linea &&
           (!conLista || c.lector.getLinea(r.tokenValor(K)) == linea);
}

// "tiene 5 de sus 6 valores antes de la línea 8 y toma el último, 1, de la
// línea donde empieza su lista"
std::string ultimoFijoTomado(lecturaArchivo& c, const bloqueLeido& b, const corridaLeida& r)
{
    const size_t K = b.clase->K();
    size_t t = r.tokenValor(K - 1);
    return "tiene " + std::to_string(K - 1) + " de sus " + std::to_string(K) +
           " valores antes de la línea " + std::to_string(c.lector.getLinea(t)) +
           " y toma el último, " + claseLeerArchivo::citar(c.lector.getTexto(t)) +
           ", de la línea donde empieza su lista";
}

}  // namespace

std::vector<bloqueLeido> leerBloques(lecturaArchivo& c, const claseDeBloque& clase)
{
    claseLeerArchivo& lector = c.lector;
    const mapaUsuario& mapa = c.mapaDe(clase.lista);
    const int salto = clase.conNombre() ? 1 : 0;
    const bool carga = clase.efecto == efectoBloque::carga;
    std::vector<bloqueLeido> bloques;
    // última aparición de cada fila en la lista del bloque en curso
    std::vector<int> enBloque(c.cantidadDe(clase.lista), 0);
    avisosLimitados noEnteros(std::string("números que no son enteros en las listas de ") +
                              clase.etiqueta);
    avisosLimitados repetidos(std::string("números repetidos en las listas de ") + clase.etiqueta);
    int m = lector.getNoEtiquetas(clase.etiqueta);
    for (int n = 1; n <= m; n++) {
        corridaLeida r = lector.getCorrida(clase.etiqueta, n, salto, claseCorrida::numeros);
        bloqueLeido b{&clase, n, "", r.etiqueta, {}, r.primero, {}};
        if (clase.conNombre() && r.saltados == 1) {
            b.nombre = lector.getTexto(r.etiqueta + 1);
            // lo que sigue es otro bloque: nada de él es de este
            if (c.esEtiqueta(b.nombre)) {
                b.nombre.clear();
                bloquesQueNoSeAplican(c, clase).salida()
                    << "Advertencia: el " << descripcion(c, b)
                    << " no tiene nombre, valores ni lista" << sigueLaEtiqueta(c, r.etiqueta + 1)
                    << "; no se aplica" << std::endl;
                continue;
            }
        }
        const std::vector<double>& v = r.valores;
        bool cortado = finAjeno(c, r);
        if (v.size() <= clase.K()) {
            std::ostream& aviso = bloquesQueNoSeAplican(c, clase).salida();
            aviso << "Advertencia: el " << descripcion(c, b);
            if (!cortado && v.size() == clase.K() && ultimoFijoEnLaLista(c, b, r, false)) {
                aviso << " " << ultimoFijoTomado(c, b, r) << ", y queda sin "
                      << (clase.lista == listaDe::nudos ? "ningún nudo" : "ninguna barra")
                      << ": no se aplica; revisar si falta un valor" << std::endl;
                continue;
            }
            if (cortado) {
                aviso << " termina en " << nombrar(c, r.fin) << noEsNumeroNiEtiqueta
                      << (v.empty() ? ", sin valores ni lista"
                                    : ", con " + loQueTiene(clase, v.size()));
            } else {
                aviso << (v.empty() ? " no tiene valores ni lista"
                                    : " tiene " + loQueTiene(clase, v.size()));
            }
            aviso << "; no se aplica" << std::endl;
            continue;
        }
        if (cortado) {
            c.avisos(std::string("bloques de ") + clase.etiqueta + " cortados por un token ajeno")
                    .salida()
                << "Advertencia: el " << descripcion(c, b) << " termina en " << nombrar(c, r.fin)
                << noEsNumeroNiEtiqueta << "; lo que sigue no se lee" << std::endl;
        }
        if (ultimoFijoEnLaLista(c, b, r, true)) {
            c.avisos(std::string("bloques de ") + clase.etiqueta +
                     " con valores en la línea de su lista")
                    .salida()
                << "Advertencia: el " << descripcion(c, b) << " " << ultimoFijoTomado(c, b, r)
                << "; revisar si falta un valor" << std::endl;
        }
        b.fijos.assign(v.begin(), v.begin() + static_cast<long>(clase.K()));
        for (size_t k = clase.K(); k < v.size(); k++) {
            size_t t = r.tokenValor(k);
            int fila = filaQueNombra(c, t, v[k], mapa, clase.etiqueta, noEnteros);
            if (fila < 0) {
                continue;
            }
            int& visto = enBloque[static_cast<size_t>(fila)];
            if (visto == n) {
                if (repetidos.escribir()) {
                    std::cout << "Advertencia: " << mapa.clase << " " << lector.describir(t)
                              << " ya está en la lista del " << descripcion(c, b)
                              << (carga ? "; recibe la carga otra vez" : "; se aplica una vez")
                              << std::endl;
                }
                if (!carga) {
                    continue;
                }
            }
            visto = n;
            b.filas.push_back(fila);
        }
        b.aplicable = !clase.revisar || clase.revisar(c, b);
        bloques.push_back(std::move(b));
    }
    noEnteros.cerrar();
    repetidos.cerrar();
    c.cerrarAvisos();
    return bloques;
}

registroReemplazos::registroReemplazos(const mapaUsuario& mapa, size_t objetos,
                                       const char* queRecibe)
    : mapa(mapa), queRecibe(queRecibe), ultimo(objetos, -1)
{
}

int registroReemplazos::agregarBloque(const std::string& d)
{
    descripciones.push_back(d);
    return static_cast<int>(descripciones.size()) - 1;
}

void registroReemplazos::anotar(int fila, int usuario, int bloque)
{
    int& u = ultimo[static_cast<size_t>(fila)];
    if (u >= 0 && u != bloque) {
        unsigned long long clave = static_cast<unsigned long long>(u) << 32 |
                                   static_cast<unsigned long long>(bloque);
        auto it = indicePares.find(clave);
        if (it == indicePares.end()) {
            it = indicePares.emplace(clave, pares.size()).first;
            pares.push_back({u, bloque, {}});
        }
        pares[it->second].usuarios.push_back(usuario);
    }
    u = bloque;
}

void registroReemplazos::avisar() const
{
    avisosLimitados avisos(std::string("pares de bloques que dan ") + queRecibe +
                           " a los mismos objetos");
    for (const par& p : pares) {
        bool una = p.usuarios.size() == 1;
        avisos.salida() << "Advertencia: " << (una ? mapa.clase : mapa.plural) << " "
                        << listaDeNumeros(p.usuarios) << (una ? " recibe " : " reciben ")
                        << queRecibe << " del " << descripciones[static_cast<size_t>(p.anterior)]
                        << " y del " << descripciones[static_cast<size_t>(p.posterior)]
                        << "; vale el segundo" << std::endl;
    }
    avisos.cerrar();
}

int aplicarBloques(lecturaArchivo& c, const claseDeBloque& clase)
{
    const mapaUsuario& mapa = c.mapaDe(clase.lista);
    registroReemplazos reemplazos(mapa, c.cantidadDe(clase.lista), clase.queRecibe);
    for (const bloqueLeido& b : leerBloques(c, clase)) {
        if (!b.aplicable) {
            continue;
        }
        int id = reemplazos.agregarBloque(descripcion(c, b));
        for (int fila : b.filas) {
            clase.aplicar(fila, b);
            if (clase.efecto == efectoBloque::reemplaza) {
                reemplazos.anotar(fila, c.usuarioDe(clase.lista, fila), id);
            }
        }
        if (clase.efecto == efectoBloque::carga && !b.filas.empty()) {
            c.anotarCaso(b.nombre, b.etiqueta + 1);
        }
    }
    reemplazos.avisar();
    return c.lector.getNoEtiquetas(clase.etiqueta);
}

}  // namespace lectura
