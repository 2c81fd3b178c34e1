// Carga del modelo: tablas de nudos y barras, mapas de numeración, bloques
// del modelo, cargas, combos y ajustes de dibujo.
#include "input/funcionLeerArchivo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "app/zurezar3o.h"
#include "input/claseLeerArchivo.h"

namespace {

// ---------------------------------------------------------------------------
// Etiquetas del formato: cada una se escribe solo aquí

const char* const etiquetaNudos = "nudos:";
const char* const etiquetaBarras = "barras:";
const char* const etiquetaPesoPropio = "pesoPropio:";
const char* const etiquetaCombo = "combo:";
const char* const etiquetaPrecision = "precision:";

// Bloque de la gramática: etiqueta, nombre, K valores fijos y lista
struct claseDeBloque {
    const char* etiqueta;
    bool conNombre;
    size_t K;
    bool deNudos;  // lista de nudos; si no, de barras
};

const claseDeBloque bloqueApoyo{"apoyo:", false, 6, true};
const claseDeBloque bloquePuntual{"puntual:", true, 6, true};
const claseDeBloque bloqueRectangular{"seccionRectangular:", true, 5, false};
const claseDeBloque bloquePlaca{"seccionPlaca:", true, 5, false};
const claseDeBloque bloqueCostanera{"seccionCostanera:", true, 8, false};
const claseDeBloque bloqueW{"seccionW:", true, 7, false};
const claseDeBloque bloqueGenerica{"seccionGenerica:", true, 7, false};
const claseDeBloque bloqueRotacion{"rotacionBarra:", false, 1, false};
const claseDeBloque bloqueLocalX{"distribuidaLocalX:", true, 2, false};
const claseDeBloque bloqueLocalY{"distribuidaLocalY:", true, 2, false};
const claseDeBloque bloqueLocalZ{"distribuidaLocalZ:", true, 2, false};
const claseDeBloque bloqueLocalT{"distribuidaLocalT:", true, 1, false};
const claseDeBloque bloqueGlobal{"distribuidaGlobal:", true, 5, false};
const claseDeBloque bloqueArticulacion{"articulacion:", false, 4, false};

const claseDeBloque* const bloquesFormato[] = {
    &bloqueApoyo,     &bloquePuntual,  &bloqueRectangular, &bloquePlaca,  &bloqueCostanera,
    &bloqueW,         &bloqueGenerica, &bloqueRotacion,    &bloqueLocalX, &bloqueLocalY,
    &bloqueLocalZ,    &bloqueLocalT,   &bloqueGlobal,      &bloqueArticulacion,
};

// Ajustes de dibujo; el primero es precision: (entero), los demás escalas
struct ajusteDibujo {
    const char* etiqueta;
    double* global;
    double defecto;
};

const ajusteDibujo ajustesDibujo[] = {
    {etiquetaPrecision, nullptr, 3},      {"escalaTexto:", &escalaTexto, 0.15},
    {"escalaDeflexion:", &escalaDef, 100}, {"escalaMy:", &escalaMy, 0.02},
    {"escalaMz:", &escalaMz, 0.02},        {"escalaVy:", &escalaVy, 0.05},
    {"escalaVz:", &escalaVz, 0.05},        {"escalaN:", &escalaN, 0.01},
    {"escalaT:", &escalaT, 0.01},          {"escalaApoyo:", &escalaApoyo, 0},
    {"escalaCarga:", &escalaCarga, 0.1},
};

// Decimales que el visor puede escribir
const int precisionMaxima = 15;

std::vector<std::string> listarEtiquetas()
{
    std::vector<std::string> v = {etiquetaNudos, etiquetaBarras};
    for (const claseDeBloque* b : bloquesFormato) {
        v.push_back(b->etiqueta);
    }
    v.push_back(etiquetaPesoPropio);
    v.push_back(etiquetaCombo);
    for (const ajusteDibujo& a : ajustesDibujo) {
        v.push_back(a.etiqueta);
    }
    return v;
}

std::vector<ajusteFormato> listarAjustes()
{
    std::vector<ajusteFormato> v;
    for (const ajusteDibujo& a : ajustesDibujo) {
        v.push_back({a.etiqueta, a.defecto});
    }
    return v;
}

}  // namespace

const std::vector<std::string> etiquetasFormato = listarEtiquetas();
const std::vector<ajusteFormato> ajustesFormato = listarAjustes();

namespace {

// ---------------------------------------------------------------------------
// Auxiliares

// Tope de los números de usuario: el mapa nunca pasa de este tamaño
const int maximoNumeroUsuario = 10000000;

// Índice en los mapas internos de un número que ninguna fila lleva
const int sinFila = -1;
// Índice de un número cuya fila se descartó
const int filaDescartada = -2;

// Valor leído tal como lo escribiría el usuario
std::string texto(double v)
{
    std::ostringstream os;
    os.precision(15);
    os << v;
    return os.str();
}

// Número de usuario truncado hacia cero; -1 si es negativo o pasa el tope
int numeroUsuario(double v)
{
    if (!(v > -1.0) || !(v < maximoNumeroUsuario + 1.0)) {
        return -1;
    }
    return static_cast<int>(v);
}

bool cabeEnInt(double v) { return v > INT_MIN - 1.0 && v < INT_MAX + 1.0; }

bool terminaEnDosPuntos(const std::string& t) { return !t.empty() && t.back() == ':'; }

// Mapa interno de un tipo: número de usuario -> fila, con sinFila y
// filaDescartada para los números que no dan un objeto
struct mapaUsuario {
    std::vector<int> fila;
    const char* clase;  // "el nudo" o "la barra"
};

struct filaNudo {
    int usuario;
    double x, y, z;
};

struct filaBarra {
    int usuario;
    int inicio, fin;  // filas de sus nudos
};

// Estado de una carga: lector, mapas y lo que se anota para los avisos finales
struct carga {
    claseLeerArchivo lector;
    std::unordered_set<std::string> etiquetas;  // las del formato
    mapaUsuario mapaNudos{{}, "el nudo"};
    mapaUsuario mapaBarras{{}, "la barra"};
    // casos con al menos una carga aplicada
    std::unordered_set<std::string> casosAplicados;
    // tokens con dos puntos ajenos al formato ya nombrados por un aviso
    std::unordered_map<std::string, int> dosPuntosAvisados;
    // pares (combo, caso) cuyo caso no se sabe todavía si alguna carga define
    std::vector<std::pair<std::string, std::string>> paresPorRevisar;

    bool esEtiqueta(const std::string& t) const { return etiquetas.count(t) > 0; }
};

// ---------------------------------------------------------------------------
// Tablas y mapas

// Filas con número válido y sin repetir: de un número repetido queda la última
std::vector<int> filasValidas(const MatrixXd& tabla, const char* clase, const char* etiqueta)
{
    std::vector<int> numeros(static_cast<size_t>(tabla.rows()), -1);
    std::unordered_map<int, Eigen::Index> ultima;
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        int u = numeroUsuario(tabla(r, 0));
        if (u < 0) {
            std::cout << "Advertencia: " << clase << " " << texto(tabla(r, 0)) << " de "
                      << etiqueta << " está fuera del rango 0 a " << maximoNumeroUsuario
                      << "; se descarta la fila" << std::endl;
            continue;
        }
        numeros[static_cast<size_t>(r)] = u;
        ultima[u] = r;
    }
    std::vector<int> filas;
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        int u = numeros[static_cast<size_t>(r)];
        if (u < 0) {
            continue;
        }
        if (ultima[u] != r) {
            std::cout << "Advertencia: " << clase << " " << u << " aparece más de una vez en "
                      << etiqueta << "; queda la última fila" << std::endl;
            continue;
        }
        filas.push_back(static_cast<int>(r));
    }
    return filas;
}

// Mapa interno de los números aceptados, del tamaño del mayor más uno
std::vector<int> mapaDeNumeros(const std::vector<int>& numeros)
{
    int mayor = -1;
    for (int u : numeros) {
        mayor = std::max(mayor, u);
    }
    std::vector<int> mapa(static_cast<size_t>(mayor + 1), sinFila);
    for (size_t r = 0; r < numeros.size(); r++) {
        mapa[static_cast<size_t>(numeros[r])] = static_cast<int>(r);
    }
    return mapa;
}

// Mapa global: los números que ninguna fila lleva apuntan a la fila 0
VectorXi punteroDeMapa(const std::vector<int>& mapa)
{
    VectorXi puntero = VectorXi::Zero(static_cast<Eigen::Index>(mapa.size()));
    for (size_t u = 0; u < mapa.size(); u++) {
        if (mapa[u] >= 0) {
            puntero(static_cast<Eigen::Index>(u)) = mapa[u];
        }
    }
    return puntero;
}

// true si el token que termina una corrida no es el fin del archivo ni una
// etiqueta del formato: quien llama escribe el aviso, que nombra el token
bool finAjeno(carga& c, const std::string& fin)
{
    if (fin.empty() || c.esEtiqueta(fin)) {
        return false;
    }
    if (terminaEnDosPuntos(fin)) {
        c.dosPuntosAvisados[fin]++;
    }
    return true;
}

const char* const noEsNumeroNiEtiqueta = ", que no es un número ni una etiqueta del formato";

// Tabla de nudos o barras; avisa si su corrida termina en un token ajeno
MatrixXd leerTabla(carga& c, const char* etiqueta, int columnas)
{
    MatrixXd tabla = c.lector.getMatriz(etiqueta, columnas);
    // 0 x 0: la corrida no completa filas (ya avisado)
    if (tabla.cols() == 0) {
        return tabla;
    }
    std::string fin =
        c.lector.getTokenTras(etiqueta, 1, 1 + static_cast<int>(tabla.rows()) * columnas);
    // un token numérico al final es un valor que no se pudo convertir (ya avisado)
    if (!c.lector.esNumero(fin) && finAjeno(c, fin)) {
        std::cout << "Advertencia: la tabla " << etiqueta << " termina en " << fin
                  << noEsNumeroNiEtiqueta << "; lo que sigue no se lee" << std::endl;
    }
    return tabla;
}

std::vector<filaNudo> leerTablaNudos(carga& c)
{
    MatrixXd tabla = leerTabla(c, etiquetaNudos, 4);
    std::vector<filaNudo> nudos;
    for (int r : filasValidas(tabla, "el nudo", etiquetaNudos)) {
        nudos.push_back({numeroUsuario(tabla(r, 0)), tabla(r, 1), tabla(r, 2), tabla(r, 3)});
    }
    return nudos;
}

// Tabla de barras: quedan las que unen dos nudos existentes en puntos distintos.
// Los números de las descartadas quedan marcados en descartadas.
std::vector<filaBarra> leerTablaBarras(carga& c, const std::vector<filaNudo>& nudos,
                                       std::vector<int>& descartadas)
{
    MatrixXd tabla = leerTabla(c, etiquetaBarras, 3);
    std::vector<filaBarra> barras;
    std::vector<int> filas = filasValidas(tabla, "la barra", etiquetaBarras);
    if (nudos.empty() && !filas.empty()) {
        std::cout << "Advertencia: no hay nudos; se descarta la tabla barras: (" << filas.size()
                  << " filas)" << std::endl;
        return barras;
    }
    const std::vector<int>& mapaNudos = c.mapaNudos.fila;
    // fila del nudo de un valor de la tabla, -1 si no está en nudos:
    auto filaDeNudo = [&](double v) {
        int n = numeroUsuario(v);
        if (n < 0 || n >= static_cast<int>(mapaNudos.size())) {
            return -1;
        }
        return mapaNudos[static_cast<size_t>(n)];
    };
    for (int r : filas) {
        int u = numeroUsuario(tabla(r, 0));
        int i = filaDeNudo(tabla(r, 1));
        int j = filaDeNudo(tabla(r, 2));
        if (i < 0 || j < 0) {
            std::cout << "Advertencia: la barra " << u << " de barras: usa el nudo "
                      << texto(tabla(r, i < 0 ? 1 : 2)) << ", que no está en nudos:; se descarta"
                      << std::endl;
            descartadas.push_back(u);
            continue;
        }
        const filaNudo& a = nudos[static_cast<size_t>(i)];
        const filaNudo& b = nudos[static_cast<size_t>(j)];
        double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        if (dx * dx + dy * dy + dz * dz == 0) {
            std::cout << "Advertencia: la barra " << u << " de barras: une los nudos " << a.usuario
                      << " y " << b.usuario << ", que coinciden en el espacio; se descarta"
                      << std::endl;
            descartadas.push_back(u);
            continue;
        }
        barras.push_back({u, i, j});
    }
    return barras;
}

// Fila del objeto que nombra un valor de una lista; -1 (con aviso) si el
// número no da ningún objeto del modelo: fuera del mapa, sin fila o descartado
int resolver(double v, const mapaUsuario& mapa, const std::string& etiqueta)
{
    int u = numeroUsuario(v);
    int fila = u < 0 || u >= static_cast<int>(mapa.fila.size())
                   ? sinFila
                   : mapa.fila[static_cast<size_t>(u)];
    if (fila < 0) {
        std::cout << "Advertencia: " << mapa.clase << " " << texto(v) << " de " << etiqueta
                  << " no está en el modelo; se omite" << std::endl;
        return -1;
    }
    return fila;
}

// ---------------------------------------------------------------------------
// Bloques

struct bloqueLeido {
    int n;  // orden entre los bloques de su etiqueta
    std::string nombre;
    std::vector<double> fijos;
    std::vector<int> filas;  // objetos de la lista, en orden
};

// "el bloque 2 de apoyo:" o "el bloque 1 de puntual: (D)"
std::string descripcion(const claseDeBloque& clase, int n, const std::string& nombre)
{
    std::string d = "el bloque " + std::to_string(n) + " de " + clase.etiqueta;
    if (clase.conNombre) {
        d += " (" + (nombre.empty() ? std::string("sin nombre") : nombre) + ")";
    }
    return d;
}

// Lo que tiene un bloque con K números o menos (al menos uno): "sus 6
// valores y ningún nudo", "2 de sus 6 valores y ninguna barra"
std::string loQueTiene(const claseDeBloque& clase, size_t numeros)
{
    std::string valores = clase.K == 1        ? "su valor"
                          : numeros == clase.K ? "sus " + std::to_string(clase.K) + " valores"
                                               : std::to_string(numeros) + " de sus " +
                                                     std::to_string(clase.K) + " valores";
    return valores + (clase.deNudos ? " y ningún nudo" : " y ninguna barra");
}

// Lee todos los bloques de una clase: nombre, valores fijos y los objetos de
// la lista que existen. Avisa de las corridas cortadas por un token ajeno y
// de los bloques que no aplican nada por faltarles números.
std::vector<bloqueLeido> leerBloques(carga& c, const claseDeBloque& clase, bool fijosEnteros)
{
    claseLeerArchivo& lector = c.lector;
    const mapaUsuario& mapa = clase.deNudos ? c.mapaNudos : c.mapaBarras;
    const int salto = clase.conNombre ? 1 : 0;
    std::vector<bloqueLeido> bloques;
    int m = lector.getNoEtiquetas(clase.etiqueta);
    for (int n = 1; n <= m; n++) {
        std::string nombre = clase.conNombre ? lector.getString(clase.etiqueta, n) : "";
        std::vector<double> corrida = lector.getMatrizEtiquetaRepetida(clase.etiqueta, n, salto);
        std::string fin = lector.getTokenTras(clase.etiqueta, n,
                                              1 + salto + static_cast<int>(corrida.size()));
        // un token numérico al final es un valor que no se pudo convertir:
        // el lector ya avisó que se descarta el bloque
        if (!fin.empty() && lector.esNumero(fin)) {
            continue;
        }
        bool cortado = finAjeno(c, fin);
        if (corrida.size() <= clase.K) {
            std::cout << "Advertencia: " << descripcion(clase, n, nombre);
            if (cortado) {
                std::cout << " termina en " << fin << noEsNumeroNiEtiqueta
                          << (corrida.empty() ? ", sin valores ni lista"
                                              : ", con " + loQueTiene(clase, corrida.size()));
            } else {
                std::cout << (corrida.empty() ? " no tiene valores ni lista"
                                              : " tiene " + loQueTiene(clase, corrida.size()));
            }
            std::cout << "; no se aplica" << std::endl;
            continue;
        }
        if (cortado) {
            std::cout << "Advertencia: " << descripcion(clase, n, nombre) << " termina en " << fin
                      << noEsNumeroNiEtiqueta << "; lo que sigue no se lee" << std::endl;
        }
        bloqueLeido b{n, nombre, std::vector<double>(corrida.begin(), corrida.begin() +
                                                                           static_cast<long>(
                                                                               clase.K)),
                      {}};
        bool validos = true;
        for (double v : b.fijos) {
            if (fijosEnteros && !cabeEnInt(v)) {
                std::cout << "Advertencia: el valor " << texto(v) << " de " << clase.etiqueta
                          << " está fuera del rango de los enteros; se descarta el bloque"
                          << std::endl;
                validos = false;
                break;
            }
        }
        if (!validos) {
            continue;
        }
        for (size_t k = clase.K; k < corrida.size(); k++) {
            int fila = resolver(corrida[k], mapa, clase.etiqueta);
            if (fila >= 0) {
                b.filas.push_back(fila);
            }
        }
        bloques.push_back(std::move(b));
    }
    return bloques;
}

using accionBloque =
    std::function<void(int fila, const std::string& nombre, const std::vector<double>& fijos)>;

// Aplica cada bloque a los objetos de su lista. Los bloques de carga que
// aplican algo definen su caso. Devuelve la cantidad de bloques de la etiqueta.
int aplicarBloques(carga& c, const claseDeBloque& clase, const accionBloque& accion,
                   bool esCarga = false, bool fijosEnteros = false)
{
    for (const bloqueLeido& b : leerBloques(c, clase, fijosEnteros)) {
        for (int fila : b.filas) {
            accion(fila, b.nombre, b.fijos);
        }
        if (esCarga && !b.filas.empty()) {
            c.casosAplicados.insert(b.nombre);
        }
    }
    return c.lector.getNoEtiquetas(clase.etiqueta);
}

// ---------------------------------------------------------------------------
// Combos

struct bloqueCombo {
    std::string nombre;
    std::vector<double> factores;
    std::vector<std::string> casos;
};

// Real al comienzo del token como lo convierte el lector
bool esFactor(const std::string& t)
{
    const char* inicio = t.c_str();
    char* fin = nullptr;
    double v = std::strtod(inicio, &fin);
    return fin != inicio && std::isfinite(v);
}

// Una línea que dice por qué un combo sin pares no se usa
void avisarComboSinPares(claseLeerArchivo& lector, int n, const std::string& nombre)
{
    std::string inicio = "Advertencia: el combo " + nombre + " de combo:";
    if (nombre.empty()) {
        std::cout << "Advertencia: el bloque " << n
                  << " de combo: está al final del archivo, sin nombre ni pares (factor, caso); "
                     "no se usa"
                  << std::endl;
        return;
    }
    // los factores de la lista, hasta el que no da número o no tiene caso
    for (int j = 2;; j += 2) {
        std::string factor = lector.getTokenTras(etiquetaCombo, n, j);
        if (factor.empty() || !lector.esNumero(factor)) {
            break;
        }
        if (!esFactor(factor)) {
            std::cout << inicio << " tiene el factor " << factor
                      << ", que no es un número; no se usa" << std::endl;
            return;
        }
        if (lector.getTokenTras(etiquetaCombo, n, j + 1).empty()) {
            std::cout << inicio << " termina en el factor " << factor
                      << " sin caso al final del archivo; no se usa" << std::endl;
            return;
        }
    }
    std::cout << inicio << " no tiene ningún par (factor, caso); no se usa" << std::endl;
}

// Bloques combo: que se aplican, en orden del archivo. Deja en noCombos la
// cantidad de combos distintos que tendrá cada nudo y cada barra.
std::vector<bloqueCombo> leerCombos(carga& c)
{
    claseLeerArchivo& lector = c.lector;
    std::vector<bloqueCombo> bloques;
    std::unordered_set<std::string> nombres;
    std::unordered_set<std::string> paresVistos;
    int m = lector.getNoEtiquetas(etiquetaCombo);
    for (int n = 1; n <= m; n++) {
        bloqueCombo b;
        b.nombre = lector.getString(etiquetaCombo, n);
        b.casos = lector.getNombresDeFactores(etiquetaCombo, n, 1);
        if (b.casos.empty()) {
            avisarComboSinPares(lector, n, b.nombre);
            continue;
        }
        // la misma lista que los casos: un factor por caso
        b.factores = lector.getFactoresEtiqueta(etiquetaCombo, n, 1);
        std::string fin =
            lector.getTokenTras(etiquetaCombo, n, 2 + 2 * static_cast<int>(b.casos.size()));
        if (!lector.esNumero(fin) && finAjeno(c, fin)) {
            std::cout << "Advertencia: el combo " << b.nombre << " de combo: termina en " << fin
                      << noEsNumeroNiEtiqueta << "; lo que sigue no se lee" << std::endl;
        }
        for (const std::string& caso : b.casos) {
            if (paresVistos.insert(b.nombre + '\n' + caso).second) {
                c.paresPorRevisar.push_back({b.nombre, caso});
            }
        }
        if (!nombres.insert(b.nombre).second) {
            std::cout << "Advertencia: el combo " << b.nombre
                      << " aparece en más de un bloque combo:; sus pares se suman al primero"
                      << std::endl;
        }
        bloques.push_back(std::move(b));
    }
    noCombos = static_cast<int>(nombres.size());
    if (noCombos > 100) {
        std::cout << "Advertencia: hay " << noCombos
                  << " combos; el visor solo puede mostrar y cambiar los primeros 100"
                  << std::endl;
    }
    return bloques;
}

// Una línea por (combo, caso) cuyo caso ninguna carga aplicada define
void avisarCasosSinCarga(const carga& c)
{
    for (const auto& par : c.paresPorRevisar) {
        if (c.casosAplicados.count(par.second) == 0) {
            std::cout << "Advertencia: el combo " << par.first << " usa el caso " << par.second
                      << ", que ningún bloque de cargas define; aporta cero" << std::endl;
        }
    }
}

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

// ---------------------------------------------------------------------------
// Fase de nudos

void faseNudos(carga& c, const std::vector<filaNudo>& filas, std::vector<bloqueCombo>& combos)
{
    nudo.resize(static_cast<size_t>(noNudos));
    for (size_t r = 0; r < filas.size(); r++) {
        int u = filas[r].usuario;
        nudo[r].setNoNudoUsuario(u);
        nudo[r].setNoNudoInterno(punteroNudos(u));
        nudo[r].setCoordenadas(filas[r].x, filas[r].y, filas[r].z);
    }

    auto apoyo = [](int f, const std::string&, const std::vector<double>& v) {
        nudo[static_cast<size_t>(f)].setApoyo(static_cast<int>(v[0]), static_cast<int>(v[1]),
                                              static_cast<int>(v[2]), static_cast<int>(v[3]),
                                              static_cast<int>(v[4]), static_cast<int>(v[5]));
    };
    if (aplicarBloques(c, bloqueApoyo, apoyo, false, true) > 0) {
        std::cout << "transferencia de apoyos a nudo[i] OK" << std::endl;
    }

    auto puntual = [](int f, const std::string& caso, const std::vector<double>& p) {
        nudo[static_cast<size_t>(f)].setCargaPuntual(caso, p[0], p[1], p[2], p[3], p[4], p[5]);
    };
    if (aplicarBloques(c, bloquePuntual, puntual, true) > 0) {
        std::cout << "transferencia de cargas puntuales a nudo[i] OK" << std::endl;
    }

    combos = leerCombos(c);
    if (noCombos != 0) {
        aplicarCombos(nudo, combos);
        std::cout << "transferencia de combos a nudo[i] OK" << std::endl;
    }
}

// ---------------------------------------------------------------------------
// Secciones

// Motivo por el que los valores de una sección no describen ninguna; vacío
// si la describen. v son los valores fijos del bloque, en orden del archivo.
using revisionSeccion = std::function<std::string(const std::vector<double>&)>;

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

std::string revisarRectangular(const std::vector<double>& v)
{
    return primerMotivo(
        {debeSerPositivo("base", v[0]), debeSerPositivo("altura", v[1]), revisarMaterial(v, 2)});
}

// Costanera: alma, ala, labio, espesor, radio a la línea media
std::string revisarCostanera(const std::vector<double>& v)
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
std::string revisarW(const std::vector<double>& v)
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

std::string revisarGenerica(const std::vector<double>& v)
{
    return primerMotivo({debeSerPositivo("area", v[0]), debeSerPositivo("inerciaY", v[1]),
                         debeSerPositivo("inerciaZ", v[2]), debeSerPositivo("ModuloJ", v[3]),
                         revisarMaterial(v, 4)});
}

struct claseDeSeccion {
    const claseDeBloque* clase;
    revisionSeccion revisar;
    accionBloque aplicar;
};

// Material, nombre y peso específico comunes a las secciones con forma
void materialSeccion(objBarra3d& b, const std::string& nombre, const std::vector<double>& v,
                     size_t desde)
{
    b.setModuloEyPoisson(v[desde], v[desde + 1]);
    b.setNombreDeSeccion(nombre);
    b.setPesoEspecifico(v[desde + 2]);
}

objBarra3d& barraDeFila(int f) { return barra[static_cast<size_t>(f)]; }

// Lee los cinco tipos de sección en su orden y da a cada barra la sección del
// último bloque que la nombra; si ese bloque no describe una sección, la
// barra queda sin sección
void leerSecciones(carga& c)
{
    const claseDeSeccion tipos[] = {
        {&bloqueRectangular, revisarRectangular,
         [](int f, const std::string& nombre, const std::vector<double>& v) {
             barraDeFila(f).setSeccionRectangular(v[0], v[1]);
             materialSeccion(barraDeFila(f), nombre, v, 2);
         }},
        {&bloquePlaca, revisarRectangular,
         [](int f, const std::string& nombre, const std::vector<double>& v) {
             barraDeFila(f).setSeccionPlaca(v[0], v[1]);
             materialSeccion(barraDeFila(f), nombre, v, 2);
         }},
        // alto del alma y ancho del ala llegan al setter en orden inverso
        {&bloqueCostanera, revisarCostanera,
         [](int f, const std::string& nombre, const std::vector<double>& v) {
             barraDeFila(f).setSeccionCostanera(v[1], v[0], v[2], v[3], v[4]);
             materialSeccion(barraDeFila(f), nombre, v, 5);
         }},
        {&bloqueW, revisarW,
         [](int f, const std::string& nombre, const std::vector<double>& v) {
             barraDeFila(f).setSeccionW(v[0], v[1], v[2], v[3]);
             materialSeccion(barraDeFila(f), nombre, v, 4);
         }},
        {&bloqueGenerica, revisarGenerica,
         [](int f, const std::string& nombre, const std::vector<double>& v) {
             barraDeFila(f).setNombreDeSeccion(nombre);
             barraDeFila(f).setSeccionGenerica(v[0], v[1], v[2], v[3]);
             barraDeFila(f).setModuloEyPoisson(v[4], v[5]);
             barraDeFila(f).setPesoEspecifico(v[6]);
         }},
    };
    struct seccionLeida {
        const claseDeSeccion* tipo;
        bloqueLeido bloque;
        bool valida;
    };
    std::vector<seccionLeida> secciones;
    for (const claseDeSeccion& tipo : tipos) {
        for (bloqueLeido& b : leerBloques(c, *tipo.clase, false)) {
            std::string motivo = tipo.revisar(b.fijos);
            if (!motivo.empty()) {
                std::cout << "Advertencia: la sección " << b.nombre << " del bloque " << b.n
                          << " de " << tipo.clase->etiqueta << " tiene " << motivo
                          << "; no se aplica";
                for (size_t k = 0; k < b.filas.size(); k++) {
                    std::cout << (k == 0 ? " a las barras " : " ")
                              << barraDeFila(b.filas[k]).getNoBarraUsuario();
                }
                std::cout << std::endl;
            }
            secciones.push_back({&tipo, std::move(b), motivo.empty()});
        }
        if (tipo.clase == &bloqueCostanera) {
            std::cout << "Secciones Costanera leidas" << std::endl;
        } else if (tipo.clase == &bloqueW) {
            std::cout << "SeccionesW leidas" << std::endl;
        }
    }
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
                sl.tipo->aplicar(f, sl.bloque.nombre, sl.bloque.fijos);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Fase de barras

void faseBarras(carga& c, const std::vector<filaBarra>& filas,
                const std::vector<bloqueCombo>& combos)
{
    barra.resize(static_cast<size_t>(noBarras));
    for (size_t r = 0; r < filas.size(); r++) {
        objBarra3d& b = barra[r];
        objNudo3d& ni = nudo[static_cast<size_t>(filas[r].inicio)];
        objNudo3d& nj = nudo[static_cast<size_t>(filas[r].fin)];
        b.resetFlags();
        b.setNoBarraUsuario(filas[r].usuario);
        b.setNoBarraInterna(punteroBarras(filas[r].usuario));
        b.setNudoInicio(filas[r].inicio, ni.getX(), ni.getY(), ni.getZ());
        b.setNudoFinal(filas[r].fin, nj.getX(), nj.getY(), nj.getZ());
    }
    std::cout << "transferencia de coord a barra[i] OK" << std::endl;

    leerSecciones(c);

    aplicarBloques(c, bloqueRotacion, [](int f, const std::string&, const std::vector<double>& v) {
        barraDeFila(f).setRotacion(v[0]);
    });

    aplicarBloques(
        c, bloqueLocalX,
        [](int f, const std::string& caso, const std::vector<double>& v) {
            barraDeFila(f).setDistribuidaLocalX(caso, v[0], v[1]);
        },
        true);
    aplicarBloques(
        c, bloqueLocalY,
        [](int f, const std::string& caso, const std::vector<double>& v) {
            barraDeFila(f).setDistribuidaLocalY(caso, v[0], v[1]);
        },
        true);
    aplicarBloques(
        c, bloqueLocalZ,
        [](int f, const std::string& caso, const std::vector<double>& v) {
            barraDeFila(f).setDistribuidaLocalZ(caso, v[0], v[1]);
        },
        true);
    aplicarBloques(
        c, bloqueLocalT,
        [](int f, const std::string& caso, const std::vector<double>& v) {
            barraDeFila(f).setDistribuidaLocalT(caso, v[0]);
        },
        true);
    aplicarBloques(
        c, bloqueGlobal,
        [](int f, const std::string& caso, const std::vector<double>& v) {
            barraDeFila(f).setDistribuidaGlobal(caso, v[0], v[1], v[2], v[3], v[4]);
        },
        true);

    aplicarBloques(c, bloqueArticulacion,
                   [](int f, const std::string&, const std::vector<double>& v) {
                       barraDeFila(f).setArticulacion(v[0], v[1], v[2], v[3]);
                   });

    int m = c.lector.getNoEtiquetas(etiquetaPesoPropio);
    if (m == 0) {
        std::cout << "No se calculará el peso propio de la estructura" << std::endl;
    } else if (m == 1) {
        std::string caso = c.lector.getString(etiquetaPesoPropio, 1);
        for (objBarra3d& b : barra) {
            b.setPesoPropio(caso);
        }
        c.casosAplicados.insert(caso);
        std::cout << "Lectura de pesoPropio ---> OK" << std::endl;
    } else {
        std::cout << "No usar la etiqueta *pesoPropio:* más de una vez" << std::endl;
    }

    if (noCombos != 0) {
        aplicarCombos(barra, combos);
    }
}

// ---------------------------------------------------------------------------
// Tokens con dos puntos que no son etiquetas del formato

// Tokens con dos puntos ajenos al formato donde el formato espera un nombre
// o un valor (nombre de un bloque o de un combo, caso de un combo, valor de
// un ajuste), con la cantidad de veces
std::unordered_map<std::string, int> ajenosComoNombre(carga& c)
{
    std::unordered_map<std::string, int> veces;
    auto anotar = [&](const std::string& t) {
        if (terminaEnDosPuntos(t) && !c.esEtiqueta(t)) {
            veces[t]++;
        }
    };
    auto anotarNombres = [&](const char* etiqueta) {
        int m = c.lector.getNoEtiquetas(etiqueta);
        for (int n = 1; n <= m; n++) {
            anotar(c.lector.getString(etiqueta, n));
        }
    };
    for (const claseDeBloque* b : bloquesFormato) {
        if (b->conNombre) {
            anotarNombres(b->etiqueta);
        }
    }
    anotarNombres(etiquetaPesoPropio);
    anotarNombres(etiquetaCombo);
    for (const ajusteDibujo& a : ajustesDibujo) {
        anotarNombres(a.etiqueta);
    }
    int m = c.lector.getNoEtiquetas(etiquetaCombo);
    for (int n = 1; n <= m; n++) {
        for (const std::string& caso : c.lector.getNombresDeFactores(etiquetaCombo, n, 1)) {
            anotar(caso);
        }
    }
    return veces;
}

// Una línea por cada token que termina en dos puntos, está donde podría ir
// una etiqueta y no es del formato (Nudos:, nudo:), salvo los ya nombrados
void avisarEtiquetasAjenas(carga& c)
{
    std::vector<std::string> ajenos;
    for (const std::string& t : c.lector.getTokensConDosPuntos()) {
        if (!c.esEtiqueta(t)) {
            ajenos.push_back(t);
        }
    }
    if (ajenos.empty()) {
        return;
    }
    std::unordered_map<std::string, int> comoNombre = ajenosComoNombre(c);
    for (const std::string& t : ajenos) {
        int sueltos = c.lector.getNoEtiquetas(t) - c.dosPuntosAvisados[t] - comoNombre[t];
        if (sueltos > 0) {
            std::cout << "Advertencia: " << t
                      << " no es una etiqueta del formato; lo que sigue hasta la próxima "
                         "etiqueta no se lee"
                      << std::endl;
        }
    }
}

// ---------------------------------------------------------------------------
// Ajustes de dibujo

void leerAjustes(claseLeerArchivo& lector)
{
    precision = static_cast<int>(ajustesDibujo[0].defecto);
    for (const ajusteDibujo& a : ajustesDibujo) {
        if (a.global) {
            *a.global = a.defecto;
        }
    }
    int p = lector.getEntero(etiquetaPrecision);
    if (p < -1) {
        std::cout << "Advertencia: el valor " << p
                  << " de la etiqueta precision: es negativo; se usan 0 decimales" << std::endl;
        precision = 0;
    } else if (p > precisionMaxima) {
        std::cout << "Advertencia: el valor " << p << " de la etiqueta precision: pasa de "
                  << precisionMaxima << "; se usan " << precisionMaxima << " decimales"
                  << std::endl;
        precision = precisionMaxima;
    } else if (p != -1) {
        precision = p;
    }
    for (const ajusteDibujo& a : ajustesDibujo) {
        if (!a.global) {
            continue;
        }
        double v = lector.getReal(a.etiqueta);
        if (v > 0) {
            *a.global = v;
        }
    }
}

}  // namespace

void funcionLeerArchivo()
{
    carga c;
    c.etiquetas.insert(etiquetasFormato.begin(), etiquetasFormato.end());
    c.lector.setNombreArchivo(nombreArchivo);
    // Una sola línea por carga cuando el archivo no se puede leer
    if (!c.lector.getArchivoLegible()) {
        std::cout << "Advertencia: no se pudo abrir el archivo " << nombreArchivo
                  << "; se lee como un archivo vacío" << std::endl;
    }

    std::vector<filaNudo> filasNudos = leerTablaNudos(c);
    noNudos = static_cast<int>(filasNudos.size());
    std::cout << "lectura de nudos OK " << "Num Nudos = " << noNudos << std::endl;

    std::vector<int> numeros;
    for (const filaNudo& f : filasNudos) {
        numeros.push_back(f.usuario);
    }
    c.mapaNudos.fila = mapaDeNumeros(numeros);

    std::vector<int> descartadas;
    std::vector<filaBarra> filasBarras = leerTablaBarras(c, filasNudos, descartadas);
    noBarras = static_cast<int>(filasBarras.size());
    std::cout << "lectura de barras OK " << "Num Barras = " << noBarras << std::endl;

    numeros.clear();
    for (const filaBarra& f : filasBarras) {
        numeros.push_back(f.usuario);
    }
    c.mapaBarras.fila = mapaDeNumeros(numeros);
    for (int u : descartadas) {
        if (u < static_cast<int>(c.mapaBarras.fila.size())) {
            c.mapaBarras.fila[static_cast<size_t>(u)] = filaDescartada;
        }
    }

    if (noNudos != 0) {
        punteroNudos = punteroDeMapa(c.mapaNudos.fila);
    }
    if (noBarras != 0) {
        punteroBarras = punteroDeMapa(c.mapaBarras.fila);
    }

    nudo.clear();
    barra.clear();
    std::vector<bloqueCombo> combos;
    if (noNudos != 0) {
        faseNudos(c, filasNudos, combos);
    }
    if (noBarras != 0) {
        faseBarras(c, filasBarras, combos);
    }
    avisarCasosSinCarga(c);
    avisarEtiquetasAjenas(c);

    leerAjustes(c.lector);
}
