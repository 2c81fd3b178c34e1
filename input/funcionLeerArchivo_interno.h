// Piezas internas del cargador, compartidas entre sus archivos:
//   funcionLeerArchivo.cpp            secuencia de la carga y etiquetas del formato
//   funcionLeerArchivo_tablas.cpp     tablas de nudos y barras, mapas de numeración
//   funcionLeerArchivo_formato.cpp    las clases de bloque: etiqueta, campos, lista,
//                                     fase, revisión y aplicación de sus valores
//   funcionLeerArchivo_bloques.cpp    bloques: corrida, valores fijos, lista y avisos
//   funcionLeerArchivo_fases.cpp      fases de nudos y de barras en su orden, peso propio
//   funcionLeerArchivo_secciones.cpp  revisión de las secciones y la de cada barra
//   funcionLeerArchivo_combos.cpp     combos y casos de carga
//   funcionLeerArchivo_ajustes.cpp    ajustes de dibujo
//   funcionLeerArchivo_revision.cpp   revisión del modelo, tokens que nadie leyó y
//                                     avisos limitados por clase
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "app/zurezar3o.h"
#include "input/claseLeerArchivo.h"

namespace lectura {

// ---------------------------------------------------------------------------
// Tablas fijas del formato

// Una tabla constante de otro archivo, de principio a fin: la arma allí
// tablaDe sobre su arreglo, así su largo sale del arreglo mismo
template <class T>
struct tablaFija {
    const T* primero;
    size_t cantidad;
    constexpr const T* begin() const { return primero; }
    constexpr const T* end() const { return primero + cantidad; }
    constexpr size_t size() const { return cantidad; }
    constexpr const T& operator[](size_t k) const { return primero[k]; }
};

template <class T, size_t N>
constexpr tablaFija<T> tablaDe(const std::array<T, N>& a)
{
    return {a.data(), std::size(a)};
}

template <class T, size_t N>
constexpr tablaFija<T> tablaDe(const T (&a)[N])
{
    return {a, std::size(a)};
}

// ---------------------------------------------------------------------------
// Gramática de los bloques

enum class listaDe { nudos, barras };

// Lo que hace un bloque con lo que el objeto ya tenía
enum class efectoBloque {
    reemplaza,  // el último bloque que nombra al objeto decide (apoyo, sección, giro...)
    carga,      // suma una carga a su caso
};

// Fase de la carga en que se aplican los bloques de una clase; el orden de
// las fases se dice una vez, en funcionLeerArchivo_fases.cpp
enum class faseBloque { apoyos, puntuales, secciones, giros, distribuidas, articulaciones };

// Un valor fijo de un bloque
struct campoBloque {
    const char* nombre;             // como lo nombran los avisos
    const char* enAyuda = nullptr;  // como lo escribe la página de ayuda, si es otro
    const char* comoEnAyuda() const { return enAyuda ? enAyuda : nombre; }
};

struct lecturaArchivo;
struct bloqueLeido;
class avisosLimitados;

// Revisa los valores fijos de un bloque y avisa; false si no se aplica
using revisionFijos = bool (*)(lecturaArchivo& c, const bloqueLeido& b);
// Da a un objeto de la lista (su fila en nudo o en barra) los valores del bloque
using aplicacionBloque = void (*)(int fila, const bloqueLeido& b);

// Una clase de bloque: etiqueta, nombre, valores fijos y lista. Es la única
// descripción de la clase: el cargador lee sus valores por el nombre de su
// campo (bloqueLeido::valor), los avisos los nombran así, y la tabla de
// clases (funcionLeerArchivo_formato.cpp) da el orden en que se aplican
struct claseDeBloque {
    const char* etiqueta;
    const char* nombre;  // qué es el token que sigue a la etiqueta ("casoCarga"); nulo si no lleva
    tablaFija<campoBloque> campos;  // en el orden del archivo
    listaDe lista;
    faseBloque fase;
    efectoBloque efecto;
    const char* queRecibe;  // "apoyo", "sección", "giro", "fijaciones"; vacío en las cargas
    revisionFijos revisar;  // nullptr si cualquier valor sirve
    aplicacionBloque aplicar;

    bool conNombre() const { return nombre != nullptr; }
    size_t K() const { return campos.size(); }
};

// Las clases de bloque, en el orden en que se aplican dentro de cada fase
extern const tablaFija<claseDeBloque> clasesDeBloque;

extern const char* const etiquetaNudos;
extern const char* const etiquetaBarras;
extern const char* const etiquetaPesoPropio;
extern const char* const etiquetaCombo;

// Ajustes de dibujo, en el orden en que se leen: cada uno lleva la global
// que fija, la cantidad de decimales (precision:) o una escala
struct ajusteDibujo {
    const char* etiqueta;
    double defecto;
    int* decimales;
    double* escala;
};
extern const tablaFija<ajusteDibujo> ajustesDibujo;

// ---------------------------------------------------------------------------
// Estado de una lectura

// Índice en los mapas internos de un número que ninguna fila lleva
const int sinFila = -1;

// Numeración de un tipo: el número de usuario de cada fila y el mapa global
// (punteroNudos o punteroBarras) de número a fila, donde un número que
// ninguna fila lleva da 0; la fila que da el mapa vale si lleva ese número
struct mapaUsuario {
    const Eigen::VectorXi& puntero;
    std::vector<int> usuarios;
    const char* clase;   // "el nudo", "la barra"
    const char* plural;  // "los nudos", "las barras"

    // Fila del número u (ya truncado); sinFila si ninguna lo lleva
    int filaDe(int u) const
    {
        if (u < 0 || usuarios.empty() || u >= puntero.size()) {
            return sinFila;
        }
        int f = puntero(u);
        return f >= 0 && static_cast<size_t>(f) < usuarios.size() &&
                       usuarios[static_cast<size_t>(f)] == u
                   ? f
                   : sinFila;
    }
};

// Par de filas de nudos sin orden, como clave: (menor << 32) | mayor
inline unsigned long long clavePar(int a, int b)
{
    return static_cast<unsigned long long>(a < b ? a : b) << 32 |
           static_cast<unsigned long long>(a < b ? b : a);
}

struct filaNudo {
    int usuario;
    double x, y, z;
    size_t token;  // el de su número
};

struct filaBarra {
    int usuario;
    int inicio, fin;  // filas de sus nudos
    size_t token;
};

// Un caso con cargas aplicadas: dónde aparece su nombre por primera vez
struct casoDeCarga {
    std::string nombre;
    size_t token;
};

// Un par (combo, caso) cuyo caso se busca al final entre los aplicados
struct parDeCombo {
    std::string combo;
    std::string caso;
    size_t token;  // el del caso
};

struct lecturaArchivo {
    claseLeerArchivo lector;
    std::unordered_set<std::string> etiquetas;  // las del formato
    mapaUsuario mapaNudos{punteroNudos, {}, "el nudo", "los nudos"};
    mapaUsuario mapaBarras{punteroBarras, {}, "la barra", "las barras"};
    std::vector<filaNudo> nudos;
    std::vector<filaBarra> barras;
    // pares de filas de nudos que une alguna fila de barras (clavePar), ordenados
    std::vector<unsigned long long> uniones;
    // casos con al menos una carga aplicada, en orden de aparición
    std::vector<casoDeCarga> casos;
    std::unordered_set<std::string> casosAplicados;
    std::vector<parDeCombo> pares;

    bool esEtiqueta(const std::string& t) const { return etiquetas.count(t) > 0; }
    mapaUsuario& mapaDe(listaDe l) { return l == listaDe::nudos ? mapaNudos : mapaBarras; }
    size_t cantidadDe(listaDe l) const
    {
        return l == listaDe::nudos ? nudos.size() : barras.size();
    }
    int usuarioDe(listaDe l, int fila) const
    {
        size_t f = static_cast<size_t>(fila);
        return l == listaDe::nudos ? nudos[f].usuario : barras[f].usuario;
    }
    // Anota que un bloque aplicó una carga de este caso
    void anotarCaso(const std::string& caso, size_t token);

    // Avisos de una clase que puede repetirse por objeto o por token, por su
    // resumen: todos los que comparten un resumen cuentan juntos hasta que
    // cerrarAvisos escribe la cuenta de los callados
    avisosLimitados& avisos(const std::string& resumen);
    void cerrarAvisos();
    std::vector<std::unique_ptr<avisosLimitados>> limitados;
};

// ---------------------------------------------------------------------------
// Auxiliares de los avisos

// Valor escrito como lo escribiría el usuario
std::string texto(double v);

// El token como lo nombra un aviso: "2.5e (línea 12)", y si empieza con una
// etiqueta del formato pegada a lo que sigue, "combo:ELU (línea 3, falta un
// espacio después de combo:)"
std::string nombrar(lecturaArchivo& c, size_t token);

// La etiqueta del formato más larga con que empieza el texto, pegada a algo
// más ("combo:ELU" da "combo:"); vacía si no hay
std::string etiquetaPegada(const lecturaArchivo& c, const std::string& texto);

const char* const noEsNumeroNiEtiqueta = ", que no es un número ni una etiqueta del formato";

// ": lo que sigue es la etiqueta combo: (línea 8)": un bloque sin nombre o un
// factor sin caso ante el bloque que abre la etiqueta del token dado
std::string sigueLaEtiqueta(lecturaArchivo& c, size_t token);

// true si la corrida termina en un token que no es el fin del archivo ni una
// etiqueta del formato; lo deja nombrado (quien llama escribe el aviso)
bool finAjeno(lecturaArchivo& c, const corridaLeida& r);

// Números de usuario citados en un aviso: "3 5 8", a lo sumo 10 y "y N más"
std::string listaDeNumeros(const std::vector<int>& numeros);

// Avisos de una clase que pueden repetirse por objeto: los primeros se
// escriben; de los demás queda la cuenta en una línea al cerrar
class avisosLimitados {
public:
    // resumen: lo que se cuenta, "pares de nudos en un mismo punto"
    explicit avisosLimitados(std::string resumen) : resumen(std::move(resumen)) {}
    // true si este aviso se escribe
    bool escribir();
    // Donde va la línea de este aviso: la consola, o un flujo que la descarta
    std::ostream& salida();
    void cerrar();
    const std::string& getResumen() const { return resumen; }

private:
    std::string resumen;
    int escritos = 0;
    int callados = 0;
};

// ---------------------------------------------------------------------------
// Tablas

// Número de usuario truncado hacia cero; -1 si es negativo o no cabe en un int
int numeroUsuario(double v);
extern const int maximoNumeroUsuario;

std::vector<filaNudo> leerTablaNudos(lecturaArchivo& c);
std::vector<filaBarra> leerTablaBarras(lecturaArchivo& c);
// Mapa global de los números de las filas (distintos, no negativos), del
// tamaño del mayor número más uno: los que ninguna fila lleva dan la fila 0
Eigen::VectorXi punteroDeNumeros(const std::vector<int>& numeros);

// Una línea si el número de usuario v (token t, tomado como u) no es entero
void avisarSiNoEsEntero(lecturaArchivo& c, const mapaUsuario& mapa, size_t t, double v, int u,
                        const std::string& etiqueta, avisosLimitados& noEnteros);

// Fila del objeto que nombra el número de una tabla o de una lista (token t);
// -1, con su aviso, si no nombra ninguno; avisa también si no es entero
int filaQueNombra(lecturaArchivo& c, size_t t, double v, const mapaUsuario& mapa,
                  const std::string& etiqueta, avisosLimitados& noEnteros);

// ---------------------------------------------------------------------------
// Bloques

struct bloqueLeido {
    const claseDeBloque* clase;
    int n;  // orden entre los bloques de su etiqueta
    std::string nombre;
    size_t etiqueta;  // token de la etiqueta
    std::vector<double> fijos;  // en el orden de los campos de su clase
    size_t primerFijo;  // token del primer valor fijo
    std::vector<int> filas;  // objetos de la lista, en orden
    bool aplicable = true;   // sus valores fijos pasaron la revisión de su clase

    // El campo de ese nombre en la clase del bloque, su valor y su token
    const campoBloque& campo(const char* nombre) const;
    double valor(const char* nombre) const;
    size_t token(const char* nombre) const;

private:
    size_t posicion(const char* nombre) const;
};

// Avisos de los bloques de una clase que no se aplican, cualquiera sea el motivo
avisosLimitados& bloquesQueNoSeAplican(lecturaArchivo& c, const claseDeBloque& clase);

// "bloque 2 de apoyo: (línea 5)", "bloque 1 de puntual: (D, línea 6)"
std::string descripcion(lecturaArchivo& c, const bloqueLeido& b);

// Lee todos los bloques de una clase: nombre, valores fijos y los objetos de
// la lista que existen, con los avisos de lo que no se pudo leer
std::vector<bloqueLeido> leerBloques(lecturaArchivo& c, const claseDeBloque& clase);

// Objetos que dos bloques reemplazan (el segundo decide): una línea por par
// de bloques, con los objetos de los dos
class registroReemplazos {
public:
    registroReemplazos(const mapaUsuario& mapa, size_t objetos, const char* queRecibe);
    // Un bloque nuevo, con su descripción; devuelve su número
    int agregarBloque(const std::string& descripcion);
    // El bloque fija al objeto de la fila
    void anotar(int fila, int usuario, int bloque);
    void avisar() const;

private:
    const mapaUsuario& mapa;
    const char* queRecibe;
    std::vector<int> ultimo;  // por fila: el último bloque que la fijó, o -1
    std::vector<std::string> descripciones;
    struct par {
        int anterior, posterior;
        std::vector<int> usuarios;
    };
    std::vector<par> pares;
    std::unordered_map<unsigned long long, size_t> indicePares;
};

// Aplica cada bloque de la clase a los objetos de su lista. Devuelve la
// cantidad de bloques de la etiqueta.
int aplicarBloques(lecturaArchivo& c, const claseDeBloque& clase);

// ---------------------------------------------------------------------------
// Fases, secciones, combos, ajustes y revisión

struct bloqueCombo {
    std::string nombre;
    std::vector<double> factores;
    std::vector<std::string> casos;
};

void faseNudos(lecturaArchivo& c, std::vector<bloqueCombo>& combos);
void faseBarras(lecturaArchivo& c, const std::vector<bloqueCombo>& combos);
void leerSecciones(lecturaArchivo& c);
// Revisión de los valores de cada tipo de sección, con su aviso
bool revisarRectangular(lecturaArchivo& c, const bloqueLeido& b);
bool revisarCostanera(lecturaArchivo& c, const bloqueLeido& b);
bool revisarW(lecturaArchivo& c, const bloqueLeido& b);
bool revisarGenerica(lecturaArchivo& c, const bloqueLeido& b);

// Bloques combo: que se aplican, en orden del archivo. Deja en noCombos la
// cantidad de combos distintos que tendrá cada nudo y cada barra.
std::vector<bloqueCombo> leerCombos(lecturaArchivo& c);

template <class Objeto>
void aplicarCombos(std::vector<Objeto>& objetos, const std::vector<bloqueCombo>& bloques)
{
    for (Objeto& objeto : objetos) {
        for (const bloqueCombo& b : bloques) {
            for (size_t j = 0; j < b.factores.size(); j++) {
                objeto.setCombo(b.nombre, b.factores[j], b.casos[j]);
            }
        }
    }
}

// Casos que un combo usa sin carga, y casos con cargas que ningún combo usa
void avisarCasos(lecturaArchivo& c);

void leerAjustes(lecturaArchivo& c);

// Nudos en un mismo punto, barras repetidas, casi nulas, superpuestas o que
// pasan por un nudo sin unirlo
void revisarGeometria(lecturaArchivo& c);
// Bloques de una fase que no corre (no hay nudos o no hay barras)
void avisarBloquesSinFase(lecturaArchivo& c, const char* faltan,
                          const std::vector<const char*>& etiquetas);
// Una línea por cada tramo del archivo que ninguna consulta leyó
void avisarTokensSinLeer(lecturaArchivo& c);

}  // namespace lectura
