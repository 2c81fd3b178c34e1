#include "reescrituras.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <sstream>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "comun/utilidades.h"
#include "comunCargador.h"

namespace {

// La gramática del formato, escrita aquí aparte del cargador
struct formaEtiqueta {
    bloqueArchivo::clase tipo;
    bool conNombre;
    int K;  // valores fijos, o columnas de una tabla
};

const std::map<std::string, formaEtiqueta>& gramatica()
{
    using C = bloqueArchivo::clase;
    static const std::map<std::string, formaEtiqueta> g = {
        {"nudos:", {C::tabla, false, 4}},
        {"barras:", {C::tabla, false, 3}},
        {"apoyo:", {C::lista, false, 6}},
        {"seccionRectangular:", {C::lista, true, 5}},
        {"seccionPlaca:", {C::lista, true, 5}},
        {"seccionCostanera:", {C::lista, true, 8}},
        {"seccionW:", {C::lista, true, 7}},
        {"seccionGenerica:", {C::lista, true, 7}},
        {"rotacionBarra:", {C::lista, false, 1}},
        {"articulacion:", {C::lista, false, 4}},
        {"puntual:", {C::lista, true, 6}},
        {"distribuidaLocalX:", {C::lista, true, 2}},
        {"distribuidaLocalY:", {C::lista, true, 2}},
        {"distribuidaLocalZ:", {C::lista, true, 2}},
        {"distribuidaLocalT:", {C::lista, true, 1}},
        {"distribuidaGlobal:", {C::lista, true, 5}},
        {"pesoPropio:", {C::pesoPropio, true, 0}},
        {"combo:", {C::combo, true, 0}},
        {"precision:", {C::ajuste, false, 1}},
        {"escalaTexto:", {C::ajuste, false, 1}},
        {"escalaDeflexion:", {C::ajuste, false, 1}},
        {"escalaMy:", {C::ajuste, false, 1}},
        {"escalaMz:", {C::ajuste, false, 1}},
        {"escalaVy:", {C::ajuste, false, 1}},
        {"escalaVz:", {C::ajuste, false, 1}},
        {"escalaN:", {C::ajuste, false, 1}},
        {"escalaT:", {C::ajuste, false, 1}},
        {"escalaApoyo:", {C::ajuste, false, 1}},
        {"escalaCarga:", {C::ajuste, false, 1}},
    };
    return g;
}

// Un número escrito de otra forma con el mismo valor
std::string numero(const std::string& t, const estiloEscritura& e, bool esNumeroDeUsuario)
{
    std::string s = t;
    bool conExponente = s.find('e') != std::string::npos;
    bool conPunto = s.find('.') != std::string::npos;
    if (esNumeroDeUsuario && e.numeroConDecimal && !conPunto && !conExponente) {
        s += ".0";
        conPunto = true;
    }
    if (e.exponente && !conExponente) {
        s += conPunto ? "e0" : ".0e0";
    }
    if (e.puntoInicial) {
        if (s.rfind("0.", 0) == 0) {
            s.erase(0, 1);
        } else if (s.rfind("-0.", 0) == 0) {
            s.erase(1, 1);
        }
    }
    if (e.signoMas && s[0] != '-' && s[0] != '+') {
        s = "+" + s;
    }
    return s;
}

// Escribe tokens en líneas: cada línea es un grupo
class escritor {
public:
    explicit escritor(const estiloEscritura& e) : e(e) {}
    void token(const std::string& t)
    {
        if (!lineaVacia) {
            texto += e.separador;
        }
        texto += t;
        lineaVacia = false;
    }
    void salto()
    {
        if (!lineaVacia) {
            texto += e.finDeLinea;
            lineaVacia = true;
        }
    }
    void lineaEnBlanco() { texto += e.finDeLinea; }
    std::string texto;
    bool lineaVacia = true;

private:
    const estiloEscritura& e;
};

// Orden mezclado: los bloques de una misma etiqueta quedan en su orden (el
// último apoyo decide, los combos se numeran en orden y las cargas de un caso
// se suman en orden), las etiquetas se intercalan al azar
std::vector<const bloqueArchivo*> ordenar(const std::vector<bloqueArchivo>& bloques, unsigned semilla)
{
    std::vector<const bloqueArchivo*> v;
    for (const bloqueArchivo& b : bloques) {
        v.push_back(&b);
    }
    if (semilla == 0) {
        return v;
    }
    std::map<std::string, std::vector<const bloqueArchivo*>> grupos;
    for (const bloqueArchivo* b : v) {
        grupos[b->etiqueta].push_back(b);
    }
    std::vector<std::string> fichas;  // una por bloque, con su etiqueta
    for (const bloqueArchivo* b : v) {
        fichas.push_back(b->etiqueta);
    }
    std::mt19937 azar(semilla);
    std::shuffle(fichas.begin(), fichas.end(), azar);
    std::map<std::string, size_t> siguiente;
    std::vector<const bloqueArchivo*> r;
    for (const std::string& f : fichas) {
        r.push_back(grupos[f][siguiente[f]++]);
    }
    return r;
}

void escribirTabla(escritor& w, const bloqueArchivo& b, const estiloEscritura& e)
{
    const std::vector<int>& corte = b.columnas == 4 ? e.corteNudos : e.corteBarras;
    if (!e.tablaEnLineaDeEtiqueta) {
        w.salto();
    }
    size_t filas = b.fijos.size() / static_cast<size_t>(b.columnas);
    for (size_t f = 0; f < filas; f++) {
        size_t k = f * static_cast<size_t>(b.columnas);
        auto valor = [&](size_t j) {
            // el número del nudo o de la barra, y los nudos de una barra
            bool usuario = j == 0 || b.columnas == 3;
            w.token(numero(b.fijos[k + j], e, usuario));
        };
        if (!corte.empty()) {
            size_t j = 0;
            for (int n : corte) {
                for (int m = 0; m < n; m++) {
                    valor(j++);
                }
                w.salto();
            }
            continue;
        }
        for (size_t j = 0; j < static_cast<size_t>(b.columnas); j++) {
            valor(j);
        }
        if (e.filasPorLinea > 0 && (f + 1) % static_cast<size_t>(e.filasPorLinea) == 0) {
            w.salto();
        }
    }
    w.salto();
}

void escribirLista(escritor& w, const bloqueArchivo& b, const estiloEscritura& e)
{
    if (b.conNombre()) {
        w.token(b.nombre);
        if (e.nombreAparte) {
            w.salto();
        }
    }
    // los fijos en líneas según el corte; lo que sobra, en la última
    std::vector<size_t> lineas;
    size_t resto = b.fijos.size();
    for (int n : e.corteFijos) {
        if (resto == 0) {
            break;
        }
        size_t k = std::min(resto, static_cast<size_t>(n));
        lineas.push_back(k);
        resto -= k;
    }
    if (resto > 0) {
        lineas.push_back(resto);
    }
    if (!e.todoEnLineaDeEtiqueta) {
        w.salto();
    }
    size_t j = 0;
    for (size_t l = 0; l < lineas.size(); l++) {
        for (size_t m = 0; m < lineas[l]; m++) {
            w.token(numero(b.fijos[j++], e, false));
        }
        // un solo valor fijo en la línea donde empieza la lista, tras otros
        // en líneas anteriores, es la señal de un valor de menos (se avisa):
        // esa forma no es de un archivo válido
        bool ultima = l + 1 == lineas.size();
        bool conLista = e.listaConFijos && (lineas.size() == 1 || lineas[l] >= 2);
        if (!ultima || !conLista) {
            w.salto();
        }
    }
    for (size_t k = 0; k < b.lista.size(); k++) {
        w.token(numero(b.lista[k], e, true));
        if (e.anchoLista > 0 && (k + 1) % static_cast<size_t>(e.anchoLista) == 0) {
            w.salto();
        }
    }
    w.salto();
}

void escribirCombo(escritor& w, const bloqueArchivo& b, const estiloEscritura& e)
{
    if (e.formaCombo != 0) {
        w.salto();
    }
    w.token(b.nombre);
    for (size_t k = 0; k < b.fijos.size(); k++) {
        if (e.formaCombo != 0) {
            w.salto();
        }
        w.token(numero(b.fijos[k], e, false));
        if (e.formaCombo == 1) {
            w.salto();
        }
        w.token(b.lista[k]);
    }
    w.salto();
}

}  // namespace

bool bloqueArchivo::conNombre() const { return !nombre.empty(); }

std::string ejemploDelReadme(const std::string& readme)
{
    std::istringstream is(readme);
    std::string linea, ejemplo;
    bool encontrado = false, dentro = false;
    while (std::getline(is, linea)) {
        if (!encontrado) {
            encontrado = linea.find("Ejemplo completo") != std::string::npos;
            continue;
        }
        if (linea.rfind("    ", 0) == 0) {
            dentro = true;
            ejemplo += linea.substr(4) + "\n";
        } else if (dentro && !linea.empty()) {
            break;
        } else if (dentro) {
            ejemplo += "\n";
        }
    }
    return ejemplo;
}

std::vector<bloqueArchivo> partirEnBloques(const std::string& texto)
{
    std::istringstream is(texto);
    std::vector<std::string> tokens;
    std::string t;
    while (is >> t) {
        tokens.push_back(t);
    }
    std::vector<bloqueArchivo> bloques;
    const auto& g = gramatica();
    size_t i = 0;
    while (i < tokens.size()) {
        auto it = g.find(tokens[i]);
        if (it == g.end()) {
            i++;  // un archivo válido no tiene nada fuera de un bloque
            continue;
        }
        const formaEtiqueta& f = it->second;
        bloqueArchivo b;
        b.etiqueta = tokens[i++];
        b.tipo = f.tipo;
        std::vector<std::string> resto;
        if (f.conNombre && i < tokens.size()) {
            b.nombre = tokens[i++];
        }
        while (i < tokens.size() && g.count(tokens[i]) == 0) {
            resto.push_back(tokens[i++]);
        }
        switch (f.tipo) {
        case bloqueArchivo::clase::tabla:
            b.columnas = f.K;
            b.fijos = resto;
            break;
        case bloqueArchivo::clase::lista:
            b.fijos.assign(resto.begin(), resto.begin() + std::min<long>(f.K, static_cast<long>(resto.size())));
            b.lista.assign(resto.begin() + static_cast<long>(b.fijos.size()), resto.end());
            break;
        case bloqueArchivo::clase::combo:
            for (size_t k = 0; k + 1 < resto.size(); k += 2) {
                b.fijos.push_back(resto[k]);
                b.lista.push_back(resto[k + 1]);
            }
            break;
        case bloqueArchivo::clase::pesoPropio:
            break;
        case bloqueArchivo::clase::ajuste:
            b.fijos = resto;
            break;
        }
        bloques.push_back(b);
    }
    return bloques;
}

std::string escribir(const std::vector<bloqueArchivo>& bloques, const estiloEscritura& e)
{
    escritor w(e);
    if (e.marcaDeOrden) {
        w.texto = "\xEF\xBB\xBF";
    }
    bool primero = true;
    for (const bloqueArchivo* b : ordenar(bloques, e.orden)) {
        if (!primero && e.lineasEnBlanco) {
            w.lineaEnBlanco();
        }
        primero = false;
        w.token(b->etiqueta);
        switch (b->tipo) {
        case bloqueArchivo::clase::tabla:
            escribirTabla(w, *b, e);
            break;
        case bloqueArchivo::clase::lista:
            escribirLista(w, *b, e);
            break;
        case bloqueArchivo::clase::combo:
            escribirCombo(w, *b, e);
            break;
        case bloqueArchivo::clase::pesoPropio:
            if (e.nombreAparte) {
                w.salto();
            }
            w.token(b->nombre);
            w.salto();
            break;
        case bloqueArchivo::clase::ajuste:
            for (const std::string& v : b->fijos) {
                w.token(numero(v, e, false));
            }
            w.salto();
            break;
        }
    }
    if (e.sinSaltoFinal) {
        while (!w.texto.empty() && (w.texto.back() == '\n' || w.texto.back() == '\r')) {
            w.texto.pop_back();
        }
    }
    return w.texto;
}

std::vector<estiloEscritura> estilosBasicos()
{
    std::vector<estiloEscritura> v;
    auto agregar = [&](const char* nombre, auto cambio) {
        estiloEscritura e;
        e.nombre = nombre;
        cambio(e);
        v.push_back(e);
    };
    agregar("como el original", [](estiloEscritura&) {});
    agregar("tabuladores", [](estiloEscritura& e) { e.separador = "\t"; });
    agregar("blancos mezclados", [](estiloEscritura& e) { e.separador = " \t  "; });
    agregar("CRLF", [](estiloEscritura& e) { e.finDeLinea = "\r\n"; });
    agregar("CR", [](estiloEscritura& e) { e.finDeLinea = "\r"; });
    agregar("marca de orden al comienzo", [](estiloEscritura& e) { e.marcaDeOrden = true; });
    agregar("sin salto final", [](estiloEscritura& e) { e.sinSaltoFinal = true; });
    agregar("sin líneas en blanco", [](estiloEscritura& e) { e.lineasEnBlanco = false; });
    agregar("bloques en otro orden", [](estiloEscritura& e) { e.orden = 7; });
    agregar("nombres aparte", [](estiloEscritura& e) { e.nombreAparte = true; });
    agregar("todo en la línea de la etiqueta", [](estiloEscritura& e) {
        e.todoEnLineaDeEtiqueta = true;
        e.listaConFijos = true;
        e.tablaEnLineaDeEtiqueta = true;
        e.filasPorLinea = 0;
    });
    agregar("un valor fijo por línea", [](estiloEscritura& e) { e.corteFijos = {1, 1, 1, 1, 1, 1, 1, 1}; });
    agregar("fijos en dos líneas con la lista en la segunda", [](estiloEscritura& e) {
        e.corteFijos = {2};
        e.listaConFijos = true;
    });
    agregar("fijos y lista en la misma línea", [](estiloEscritura& e) { e.listaConFijos = true; });
    agregar("lista de a un número", [](estiloEscritura& e) { e.anchoLista = 1; });
    agregar("lista de a dos números", [](estiloEscritura& e) { e.anchoLista = 2; });
    agregar("combos de a un token", [](estiloEscritura& e) { e.formaCombo = 1; });
    agregar("combos de a un par", [](estiloEscritura& e) { e.formaCombo = 2; });
    agregar("1.0e0", [](estiloEscritura& e) { e.exponente = true; });
    agregar("+1", [](estiloEscritura& e) { e.signoMas = true; });
    agregar(".5", [](estiloEscritura& e) { e.puntoInicial = true; });
    agregar("3.0 como número de nudo", [](estiloEscritura& e) { e.numeroConDecimal = true; });
    agregar("tablas de un número por línea", [](estiloEscritura& e) {
        e.corteNudos = {1, 1, 1, 1};
        e.corteBarras = {1, 1, 1};
    });
    agregar("el número en una línea y el resto en otra", [](estiloEscritura& e) {
        e.corteNudos = {1, 3};
        e.corteBarras = {1, 2};
    });
    agregar("filas partidas 2 + 2 y 2 + 1", [](estiloEscritura& e) {
        e.corteNudos = {2, 2};
        e.corteBarras = {2, 1};
    });
    agregar("dos filas por línea", [](estiloEscritura& e) { e.filasPorLinea = 2; });
    agregar("tablas en una línea", [](estiloEscritura& e) { e.filasPorLinea = 0; });
    agregar("como lo escribe un programa", [](estiloEscritura& e) {
        e.finDeLinea = "\r\n";
        e.marcaDeOrden = true;
        e.nombreAparte = true;
        e.corteNudos = {1, 1, 1, 1};
        e.corteBarras = {1, 1, 1};
        e.corteFijos = {1, 1, 1, 1, 1, 1, 1, 1};
        e.anchoLista = 1;
        e.formaCombo = 1;
        e.exponente = true;
        e.numeroConDecimal = true;
        e.sinSaltoFinal = true;
    });
    return v;
}

std::vector<estiloEscritura> estilosCombinados(unsigned semilla, int cantidad)
{
    std::mt19937 azar(semilla);
    auto moneda = [&] { return azar() % 2 == 0; };
    auto entre = [&](int a, int b) { return a + static_cast<int>(azar() % static_cast<unsigned>(b - a + 1)); };
    const std::vector<std::vector<int>> cortesNudos = {{}, {1, 1, 1, 1}, {1, 3}, {2, 2}, {3, 1}, {1, 2, 1}};
    const std::vector<std::vector<int>> cortesBarras = {{}, {1, 1, 1}, {1, 2}, {2, 1}};
    const std::vector<std::string> finales = {"\n", "\r\n", "\r"};
    const std::vector<std::string> separadores = {" ", "\t", "  ", " \t", "\t\t "};
    std::vector<estiloEscritura> v;
    for (int k = 0; k < cantidad; k++) {
        estiloEscritura e;
        e.nombre = "combinado";
        e.finDeLinea = finales[azar() % finales.size()];
        e.separador = separadores[azar() % separadores.size()];
        e.marcaDeOrden = moneda();
        e.sinSaltoFinal = moneda();
        e.lineasEnBlanco = moneda();
        e.orden = moneda() ? 0 : azar() | 1;
        e.corteNudos = cortesNudos[azar() % cortesNudos.size()];
        e.corteBarras = cortesBarras[azar() % cortesBarras.size()];
        e.filasPorLinea = entre(0, 3);
        e.tablaEnLineaDeEtiqueta = moneda();
        e.nombreAparte = moneda();
        int corte = entre(0, 4);
        for (int j = 0; j < 8 && corte > 0; j++) {
            e.corteFijos.push_back(corte);
        }
        e.listaConFijos = moneda();
        e.todoEnLineaDeEtiqueta = moneda();
        e.anchoLista = entre(0, 3);
        e.formaCombo = entre(0, 2);
        e.exponente = moneda();
        e.signoMas = moneda();
        e.puntoInicial = moneda();
        e.numeroConDecimal = moneda();
        v.push_back(e);
    }
    return v;
}

cargaCalculada cargarYCalcular(const std::string& texto, bool calcular)
{
    cargaCalculada r;
    r.salida = cargar(texto);
    r.modelo = resumenModelo();
    if (calcular) {
        capturarSalida([&] { r.resuelto = funcionSolve(); });
        r.mensaje = mensajeAnalisis;
        if (r.resuelto) {
            r.u = u;
            r.reacciones = reacciones;
        }
    }
    return r;
}

namespace {

bool igualBitABit(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b)
{
    return a.rows() == b.rows() && a.cols() == b.cols() &&
           std::equal(a.data(), a.data() + a.size(), b.data(), [](double x, double y) {
               return std::memcmp(&x, &y, sizeof x) == 0;
           });
}

}  // namespace

std::string diferencias(const cargaCalculada& a, const cargaCalculada& b)
{
    std::string d;
    if (a.salida != b.salida) {
        d += "la consola es otra:\n" + b.salida + "\n";
    }
    if (a.modelo != b.modelo) {
        d += "el modelo es otro:\n" + b.modelo + "\n";
    }
    if (a.resuelto != b.resuelto || a.mensaje != b.mensaje) {
        d += "el análisis es otro: " + b.mensaje + "\n";
    }
    if (!igualBitABit(a.u, b.u) || !igualBitABit(a.reacciones, b.reacciones)) {
        d += "los desplazamientos o las reacciones no son los mismos bit a bit\n";
    }
    return d;
}
