// Lector de etiquetas: la primera consulta lee el archivo entero, lo parte en
// tokens (con su línea) e indexa las etiquetas; cada consulta recorre la
// lista en memoria desde la aparición que le toca y marca lo que entrega.
#include "input/claseLeerArchivo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>

namespace {

// Los seis blancos del locale clásico
bool esBlanco(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Letra del exponente que vale en un número
enum class exponente { minuscula, tambienMayuscula };

// Texto hecho solo de los caracteres de un número (sin mirar su orden)
bool soloCaracteresNumericos(const char* c, size_t largo, exponente e = exponente::minuscula)
{
    for (size_t k = 0; k < largo; k++) {
        bool numerico = (c[k] >= '0' && c[k] <= '9') || c[k] == '+' || c[k] == '-' ||
                        c[k] == '.' || c[k] == 'e' ||
                        (e == exponente::tambienMayuscula && c[k] == 'E');
        if (!numerico) {
            return false;
        }
    }
    return true;
}

// Número de todo el texto (de largo caracteres) y finito. El texto termina
// en un blanco o en el nulo final del contenido, donde strtod se detiene; el
// programa no cambia el locale de C (punto decimal).
bool numeroCompleto(const char* inicio, size_t largo, exponente e, double& valor)
{
    if (!soloCaracteresNumericos(inicio, largo, e)) {
        return false;
    }
    char* fin = nullptr;
    double v = std::strtod(inicio, &fin);
    if (fin != inicio + largo || !std::isfinite(v)) {
        return false;
    }
    valor = v;
    return true;
}

// Caracteres de UTF-8 que no se ven o se ven como un blanco y que no separan
// tokens: "apoyo:" con uno de ellos delante no es la etiqueta apoyo:
struct caracterInvisible {
    char32_t codigo;
    const char* nombre;
};
const caracterInvisible invisibles[] = {
    {0x00A0, "un espacio no separable"},
    {0x00AD, "un guion blando"},
    {0x2007, "un espacio de cifra"},
    {0x2009, "un espacio fino"},
    {0x200B, "un espacio de ancho cero"},
    {0x200C, "un carácter invisible"},
    {0x200D, "un carácter invisible"},
    {0x202F, "un espacio estrecho no separable"},
    {0x205F, "un espacio tipográfico"},
    {0x2060, "un carácter invisible"},
    {0x3000, "un espacio ideográfico"},
    {0xFEFF, "una marca de orden de bytes"},
};

// Nombre del carácter invisible de código c; nulo si no es uno
const char* nombreInvisible(char32_t c)
{
    if (c >= 0x2000 && c <= 0x200A && c != 0x2007 && c != 0x2009) {
        return "un espacio tipográfico";
    }
    for (const caracterInvisible& i : invisibles) {
        if (i.codigo == c) {
            return i.nombre;
        }
    }
    return nullptr;
}

// Carácter de 2 o 3 bytes de UTF-8 que empieza en p: su código y su largo (0 si no)
char32_t codigoEn(const std::string& t, size_t p, size_t& largo)
{
    largo = 0;
    auto cont = [&](size_t k) {
        return k < t.size() && (static_cast<unsigned char>(t[k]) & 0xC0) == 0x80;
    };
    unsigned char b = static_cast<unsigned char>(t[p]);
    if ((b & 0xE0) == 0xC0 && cont(p + 1)) {
        largo = 2;
        return static_cast<char32_t>((b & 0x1F) << 6 | (t[p + 1] & 0x3F));
    }
    if ((b & 0xF0) == 0xE0 && cont(p + 1) && cont(p + 2)) {
        largo = 3;
        return static_cast<char32_t>((b & 0x0F) << 12 | (t[p + 1] & 0x3F) << 6 | (t[p + 2] & 0x3F));
    }
    return 0;
}

// Tokens de a lo sumo 4 GB: su largo cabe en 32 bits
const std::uintmax_t tamanoMaximo = 0xFFFFFFFFu;

const std::vector<size_t> sinApariciones;

}  // namespace

claseLeerArchivo::claseLeerArchivo() {}

claseLeerArchivo::~claseLeerArchivo() {}

void claseLeerArchivo::setNombreArchivo(std::string nombre)
{
    nombreArchivo = nombre;
    leido = false;
    legible = false;
    vaciar();
}

void claseLeerArchivo::vaciar()
{
    contenido.clear();
    contenido.shrink_to_fit();
    tokens.clear();
    tokens.shrink_to_fit();
    estados.clear();
    estados.shrink_to_fit();
    indice.clear();
}

// Solo se abren archivos regulares: una carpeta, un dispositivo o una
// tubería se leen como un archivo vacío (leerlos podría no terminar nunca)
void claseLeerArchivo::leer()
{
    leido = true;
    std::error_code error;
    if (!std::filesystem::is_regular_file(nombreArchivo, error)) {
        return;
    }
    std::ifstream archivo(nombreArchivo, std::ios::in | std::ios::binary);
    if (!archivo.is_open()) {
        return;
    }
    legible = true;
    const char* motivo = nullptr;
    try {
        std::uintmax_t tamano = std::filesystem::file_size(nombreArchivo, error);
        if (!error && tamano > tamanoMaximo) {
            motivo = "pasa de 4 GB";
        } else {
            if (!error) {
                contenido.reserve(static_cast<size_t>(tamano));
            }
            char bloque[1 << 16];
            while (contenido.size() <= tamanoMaximo &&
                   (archivo.read(bloque, sizeof bloque) || archivo.gcount() > 0)) {
                contenido.append(bloque, static_cast<size_t>(archivo.gcount()));
            }
            if (contenido.size() > tamanoMaximo) {
                motivo = "pasa de 4 GB";
            } else if (contenido.find('\0') != std::string::npos) {
                motivo = "no es un archivo de texto plano (tiene bytes nulos)";
            } else {
                partirEnTokens();
            }
        }
    } catch (const std::bad_alloc&) {
        motivo = "no cabe en la memoria";
    }
    if (motivo) {
        vaciar();
        std::cout << "Advertencia: el archivo " << nombreArchivo << " " << motivo
                  << "; se lee como un archivo vacío" << std::endl;
    }
}

void claseLeerArchivo::partirEnTokens()
{
    // La marca de orden de bytes de UTF-8 no es parte del primer token
    size_t i = contenido.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const size_t n = contenido.size();
    std::uint32_t linea = 1;
    while (i < n) {
        while (i < n && esBlanco(contenido[i])) {
            // \r\n, \n y un \r suelto terminan una línea
            if (contenido[i] == '\n' || (contenido[i] == '\r' && (i + 1 == n || contenido[i + 1] != '\n'))) {
                linea++;
            }
            i++;
        }
        if (i == n) {
            break;
        }
        size_t inicio = i;
        while (i < n && !esBlanco(contenido[i])) {
            i++;
        }
        tokens.push_back({inicio, static_cast<std::uint32_t>(i - inicio), linea});
        if (contenido[i - 1] == ':') {
            indice[contenido.substr(inicio, i - inicio)].push_back(tokens.size() - 1);
        }
    }
    estados.assign(tokens.size(), estadoToken::sinLeer);
}

std::string claseLeerArchivo::getTexto(size_t i) const
{
    return contenido.substr(tokens[i].inicio, tokens[i].largo);
}

int claseLeerArchivo::getLinea(size_t i) const { return static_cast<int>(tokens[i].linea); }

estadoToken claseLeerArchivo::getEstado(size_t i) const { return estados[i]; }

void claseLeerArchivo::marcarLeido(size_t i)
{
    if (estados[i] == estadoToken::sinLeer) {
        estados[i] = estadoToken::leido;
    }
}

bool claseLeerArchivo::marcarNombrado(size_t i)
{
    if (i >= estados.size() || estados[i] == estadoToken::nombrado) {
        return false;
    }
    estados[i] = estadoToken::nombrado;
    return true;
}

size_t claseLeerArchivo::getCantidadDeTokens()
{
    if (!leido) {
        leer();
    }
    return tokens.size();
}

std::string claseLeerArchivo::citar(const std::string& texto)
{
    const size_t maximo = 40;
    std::string c = texto;
    bool cortado = false;
    if (c.size() > maximo) {
        size_t corte = maximo;
        // sin partir un carácter de UTF-8
        while (corte > 0 && (static_cast<unsigned char>(c[corte]) & 0xC0) == 0x80) {
            corte--;
        }
        c.resize(corte);
        cortado = true;
    }
    for (char& b : c) {
        unsigned char u = static_cast<unsigned char>(b);
        if (u < 0x20 || u == 0x7F) {
            b = '?';
        }
    }
    return cortado ? c + "…" : c;
}

size_t claseLeerArchivo::largoInvisible(const std::string& texto, size_t p)
{
    size_t largo = 0;
    char32_t c = p < texto.size() ? codigoEn(texto, p, largo) : 0;
    return largo > 0 && nombreInvisible(c) ? largo : 0;
}

std::string claseLeerArchivo::nombrarInvisibles(const std::string& texto)
{
    std::vector<char32_t> vistos;
    std::string nombres;
    for (size_t p = 0; p < texto.size(); p++) {
        size_t largo = 0;
        char32_t c = codigoEn(texto, p, largo);
        const char* nombre = largo > 0 ? nombreInvisible(c) : nullptr;
        if (!nombre) {
            continue;
        }
        p += largo - 1;
        if (std::find(vistos.begin(), vistos.end(), c) != vistos.end()) {
            continue;
        }
        vistos.push_back(c);
        char codigo[16];
        std::snprintf(codigo, sizeof codigo, " (U+%04X)", static_cast<unsigned>(c));
        nombres += std::string(vistos.size() > 1 ? " y " : "") + nombre + codigo;
    }
    return nombres.empty() ? "" : ", con " + nombres;
}

std::string claseLeerArchivo::describir(size_t i) const
{
    std::string t = getTexto(i);
    return citar(t) + " (línea " + std::to_string(getLinea(i)) + nombrarInvisibles(t) + ")";
}

bool claseLeerArchivo::getNumero(size_t i, double& valor) const
{
    return numeroCompleto(contenido.data() + tokens[i].inicio, tokens[i].largo, exponente::minuscula,
                        valor);
}

bool claseLeerArchivo::igual(size_t i, const std::string& etiqueta) const
{
    return tokens[i].largo == etiqueta.size() &&
           contenido.compare(tokens[i].inicio, tokens[i].largo, etiqueta) == 0;
}

const std::vector<size_t>& claseLeerArchivo::apariciones(const std::string& etiqueta)
{
    if (!leido) {
        leer();
    }
    if (!etiqueta.empty() && etiqueta.back() == ':') {
        auto it = indice.find(etiqueta);
        return it == indice.end() ? sinApariciones : it->second;
    }
    aparicionesSueltas.clear();
    for (size_t i = 0; i < tokens.size(); i++) {
        if (igual(i, etiqueta)) {
            aparicionesSueltas.push_back(i);
        }
    }
    return aparicionesSueltas;
}

std::vector<size_t> claseLeerArchivo::getApariciones(const std::string& etiqueta)
{
    std::vector<size_t> lista = apariciones(etiqueta);
    for (size_t t : lista) {
        marcarNombrado(t);
    }
    return lista;
}

// Posición de la n-ésima aparición
bool claseLeerArchivo::buscar(const std::string& etiqueta, int n, size_t& posicion)
{
    const std::vector<size_t>& lista = apariciones(etiqueta);
    if (n < 1 || static_cast<size_t>(n) > lista.size()) {
        return false;
    }
    posicion = lista[static_cast<size_t>(n) - 1];
    return true;
}

bool claseLeerArchivo::getArchivoLegible()
{
    if (!leido) {
        leer();
    }
    return legible;
}

bool claseLeerArchivo::esNumero(std::string token)
{
    return soloCaracteresNumericos(token.data(), token.size());
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta)
{
    return static_cast<int>(apariciones(etiqueta).size());
}

corridaLeida claseLeerArchivo::getCorrida(const std::string& etiqueta, int n, int k,
                                         claseCorrida clase,
                                         const std::unordered_set<std::string>* etiquetas)
{
    corridaLeida r;
    r.clase = clase;
    size_t p = 0;
    if (!buscar(etiqueta, n, p)) {
        r.primero = r.fin = tokens.size();
        return r;
    }
    const size_t total = tokens.size();
    r.existe = true;
    r.etiqueta = p;
    marcarLeido(p);
    size_t i = p + 1;
    while (r.saltados < static_cast<size_t>(k > 0 ? k : 0) && i < total) {
        marcarLeido(i);
        r.saltados++;
        i++;
    }
    r.primero = i;
    double v = 0;
    while (i < total && getNumero(i, v)) {
        if (clase == claseCorrida::pares) {
            if (i + 1 == total || (etiquetas && etiquetas->count(getTexto(i + 1)) > 0)) {
                r.fin = i;
                r.motivo = i + 1 == total ? finCorrida::sinPalabra : finCorrida::etiquetaTrasFactor;
                return r;
            }
            r.palabras.push_back(getTexto(i + 1));
            marcarLeido(i + 1);
        }
        r.valores.push_back(v);
        marcarLeido(i);
        i += clase == claseCorrida::pares ? 2 : 1;
    }
    r.fin = i;
    if (i == total) {
        r.motivo = finCorrida::archivo;
    } else {
        r.motivo = contenido[tokens[i].inicio + tokens[i].largo - 1] == ':' ? finCorrida::dosPuntos
                                                                             : finCorrida::ajeno;
    }
    return r;
}

tablaLeida claseLeerArchivo::getTabla(const std::string& etiqueta, int columnas)
{
    tablaLeida t;
    const std::vector<size_t> lista = apariciones(etiqueta);
    t.corrida = getCorrida(etiqueta, 1, 0, claseCorrida::numeros);
    // las apariciones dentro de la corrida (solo si la etiqueta es numérica) no cuentan
    std::vector<int> lineas;
    for (size_t o : lista) {
        if (o == t.corrida.etiqueta || o < t.corrida.primero || o >= t.corrida.fin) {
            lineas.push_back(getLinea(o));
            if (o != t.corrida.etiqueta) {
                t.otras.push_back(o);
                marcarNombrado(o);
            }
        }
    }
    if (!t.otras.empty()) {
        std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << lineas.size()
                  << " veces (" << listaDeLineas(lineas) << "); se usa la primera tabla"
                  << std::endl;
    }
    if (columnas < 1) {
        t.matriz = MatrixXd(0, 0);
        return t;
    }
    const std::vector<double>& v = t.corrida.valores;
    const size_t c = static_cast<size_t>(columnas);
    if (v.size() % c != 0) {
        std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
        t.matriz = MatrixXd(0, 0);
        return t;
    }
    Eigen::Index filas = static_cast<Eigen::Index>(v.size() / c);
    t.matriz.resize(filas, columnas);
    for (Eigen::Index i = 0; i < filas; i++) {
        for (Eigen::Index j = 0; j < columnas; j++) {
            t.matriz(i, j) = v[static_cast<size_t>(i) * c + static_cast<size_t>(j)];
        }
    }
    return t;
}

std::string claseLeerArchivo::listaDeLineas(std::vector<int> lineas)
{
    std::vector<int> distintas;
    for (int l : lineas) {
        if (distintas.empty() || distintas.back() != l) {
            distintas.push_back(l);
        }
    }
    if (distintas.size() == 1) {
        return "línea " + std::to_string(distintas[0]);
    }
    const size_t mostradas = 5;
    std::string s = "líneas ";
    size_t hasta = distintas.size() > mostradas + 1 ? mostradas : distintas.size() - 1;
    for (size_t i = 0; i < hasta; i++) {
        s += (i > 0 ? ", " : "") + std::to_string(distintas[i]);
    }
    if (hasta < distintas.size() - 1) {
        return s + " y " + std::to_string(distintas.size() - hasta) + " más";
    }
    return s + " y " + std::to_string(distintas.back());
}

// Como al recorrer el archivo: cada aparición toma el token siguiente como su
// valor, y ese token ya no cuenta como aparición aunque sea la etiqueta
valorLeido claseLeerArchivo::getValor(const std::string& etiqueta, claseValor clase)
{
    valorLeido r;
    size_t libre = 0;
    const size_t total = getCantidadDeTokens();
    for (size_t o : apariciones(etiqueta)) {
        if (o < libre) {
            continue;
        }
        bool conValor = o + 1 < total;
        r.apariciones.push_back({o, conValor ? o + 1 : total});
        r.estado = conValor ? 2 : 1;
        r.token = conValor ? o + 1 : o;
        libre = o + (conValor ? 2 : 1);
    }
    const char* nombreClase = clase == claseValor::entero ? "entero" : "real";
    if (r.estado == 0) {
        std::cout << "Advertencia: no se encontró ningún " << nombreClase << " con etiqueta "
                  << etiqueta << std::endl;
        return r;
    }
    for (size_t k = 0; k + 1 < r.apariciones.size(); k++) {
        marcarNombrado(r.apariciones[k].first);
        marcarNombrado(r.apariciones[k].second);
    }
    marcarLeido(r.apariciones.back().first);
    if (r.estado == 1) {
        std::cout << "Advertencia: falta el valor de la etiqueta " << etiqueta << " (línea "
                  << getLinea(r.token) << ")" << std::endl;
        return r;
    }
    marcarLeido(r.token);
    // tras una etiqueta de valor también vale el exponente con E
    double v = 0;
    r.valido = numeroCompleto(contenido.data() + tokens[r.token].inicio, tokens[r.token].largo,
                            exponente::tambienMayuscula, v);
    r.escrito = v;
    if (r.valido && clase == claseValor::entero) {
        v = std::trunc(v);
        r.valido = v >= INT_MIN && v <= INT_MAX;
    }
    if (!r.valido) {
        std::cout << "Advertencia: el valor " << describir(r.token) << " de la etiqueta "
                  << etiqueta << " no es un " << nombreClase << " válido" << std::endl;
        return r;
    }
    r.valor = v;
    return r;
}

int claseLeerArchivo::getEntero(std::string etiqueta)
{
    valorLeido v = getValor(etiqueta, claseValor::entero);
    return v.valido ? static_cast<int>(v.valor) : -1;
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    valorLeido v = getValor(etiqueta, claseValor::real);
    return v.valido ? v.valor : -1.0;
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n)
{
    size_t p = 0;
    if (!buscar(etiqueta, n, p) || p + 1 >= tokens.size()) {
        return "";
    }
    marcarLeido(p);
    marcarLeido(p + 1);
    return getTexto(p + 1);
}

MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas)
{
    return getTabla(etiqueta, columnas).matriz;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int k)
{
    return getCorrida(etiqueta, n, k, claseCorrida::numeros).valores;
}

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int k)
{
    corridaLeida r = getCorrida(etiqueta, n, k, claseCorrida::pares);
    // una vez por factor: otra consulta o el cargador pueden haberlo dicho ya
    if (r.motivo == finCorrida::sinPalabra && marcarNombrado(r.fin)) {
        std::cout << "Advertencia: el factor " << describir(r.fin) << " al final de la etiqueta "
                  << etiqueta << " no tiene caso; se omite" << std::endl;
    }
    return r.valores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int k)
{
    return getCorrida(etiqueta, n, k, claseCorrida::pares).palabras;
}
