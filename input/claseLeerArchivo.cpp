// Lector de etiquetas: la primera consulta lee el archivo entero, lo parte en
// tokens e indexa las etiquetas; cada consulta recorre la lista en memoria
// como antes recorría el archivo, desde la aparición que le toca.
#include "input/claseLeerArchivo.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
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

// Texto hecho solo de los caracteres de un número (sin mirar su orden)
bool soloCaracteresNumericos(const char* c, size_t largo)
{
    for (size_t k = 0; k < largo; k++) {
        bool numerico = (c[k] >= '0' && c[k] <= '9') || c[k] == '+' || c[k] == '-' ||
                        c[k] == '.' || c[k] == 'e';
        if (!numerico) {
            return false;
        }
    }
    return true;
}

// Real al comienzo del texto, como stod (el programa no cambia el locale de
// C, así que el punto es el separador decimal); false si no empieza con un
// número o si no cabe en un double. El texto termina en un blanco o en el
// nulo final del contenido, donde strtod se detiene.
bool convertirReal(const char* inicio, double& valor)
{
    char* fin = nullptr;
    double v = std::strtod(inicio, &fin);
    if (fin == inicio || !std::isfinite(v)) {
        return false;
    }
    valor = v;
    return true;
}

// Entero en base 10 al comienzo del texto, como stoi; false si no hay
// número o si queda fuera del rango de int
bool convertirEntero(const char* inicio, int& valor)
{
    char* fin = nullptr;
    errno = 0;
    long v = std::strtol(inicio, &fin, 10);
    if (fin == inicio || errno == ERANGE || v < INT_MIN || v > INT_MAX) {
        return false;
    }
    valor = static_cast<int>(v);
    return true;
}

const std::vector<size_t> sinApariciones;

}  // namespace

claseLeerArchivo::claseLeerArchivo() {}

claseLeerArchivo::~claseLeerArchivo() {}

void claseLeerArchivo::setNombreArchivo(std::string nombre)
{
    nombreArchivo = nombre;
    leido = false;
    legible = false;
    contenido.clear();
    tokens.clear();
    indice.clear();
    conDosPuntos.clear();
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
    try {
        std::uintmax_t tamano = std::filesystem::file_size(nombreArchivo, error);
        if (!error && tamano < contenido.max_size()) {
            contenido.reserve(static_cast<size_t>(tamano));
        }
        char bloque[1 << 16];
        while (archivo.read(bloque, sizeof bloque) || archivo.gcount() > 0) {
            contenido.append(bloque, static_cast<size_t>(archivo.gcount()));
        }
        if (contenido.find('\0') != std::string::npos) {
            std::cout << "Advertencia: el archivo " << nombreArchivo
                      << " no es un archivo de texto plano (tiene bytes nulos); se lee como un "
                         "archivo vacío"
                      << std::endl;
            contenido.clear();
            return;
        }
        // La marca de orden de bytes de UTF-8 no es parte del primer token
        size_t i = contenido.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        const size_t n = contenido.size();
        while (i < n) {
            while (i < n && esBlanco(contenido[i])) {
                i++;
            }
            if (i == n) {
                break;
            }
            size_t inicio = i;
            while (i < n && !esBlanco(contenido[i])) {
                i++;
            }
            tokens.push_back({inicio, i - inicio});
            if (contenido[i - 1] == ':') {
                std::string etiqueta = contenido.substr(inicio, i - inicio);
                std::vector<size_t>& lista = indice[etiqueta];
                if (lista.empty()) {
                    conDosPuntos.push_back(etiqueta);
                }
                lista.push_back(tokens.size() - 1);
            }
        }
    } catch (const std::bad_alloc&) {
        contenido.clear();
        contenido.shrink_to_fit();
        tokens.clear();
        tokens.shrink_to_fit();
        indice.clear();
        conDosPuntos.clear();
        std::cout << "Advertencia: el archivo " << nombreArchivo
                  << " no cabe en la memoria; se lee como un archivo vacío" << std::endl;
    }
}

std::string claseLeerArchivo::textoToken(size_t i) const
{
    return contenido.substr(tokens[i].inicio, tokens[i].largo);
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

namespace {

// Valor tras la última aparición convertido; el valor ausente, con una
// línea de aviso, si no hay etiqueta, no hay valor o no se puede convertir
template <class T>
T valorSuelto(int estado, const std::string& valor, const char* inicio,
              const std::string& etiqueta, const char* clase, bool (*convertir)(const char*, T&),
              T ausente)
{
    T resultado = ausente;
    if (estado == 0) {
        std::cout << "Advertencia: no se encontró ningún " << clase << " con etiqueta "
                  << etiqueta << std::endl;
    } else if (estado == 1) {
        std::cout << "Advertencia: falta el valor de la etiqueta " << etiqueta << std::endl;
    } else if (!convertir(inicio, resultado)) {
        std::cout << "Advertencia: el valor " << valor << " de la etiqueta " << etiqueta
                  << " no es un " << clase << " válido" << std::endl;
        resultado = ausente;
    }
    return resultado;
}

}  // namespace

// Como al recorrer el archivo: cada aparición toma el token siguiente como su
// valor, y ese token ya no cuenta como aparición aunque sea la etiqueta
int claseLeerArchivo::valorTrasUltima(const std::string& etiqueta, size_t& posicion)
{
    int estado = 0;
    size_t libre = 0;
    for (size_t o : apariciones(etiqueta)) {
        if (o < libre) {
            continue;
        }
        if (o + 1 < tokens.size()) {
            estado = 2;
            posicion = o + 1;
            libre = o + 2;
        } else {
            estado = 1;
            libre = o + 1;
        }
    }
    return estado;
}

int claseLeerArchivo::getEntero(std::string etiqueta)
{
    size_t p = 0;
    int estado = valorTrasUltima(etiqueta, p);
    std::string valor = estado == 2 ? textoToken(p) : "";
    const char* inicio = estado == 2 ? contenido.data() + tokens[p].inicio : "";
    return valorSuelto<int>(estado, valor, inicio, etiqueta, "entero", convertirEntero, -1);
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    size_t p = 0;
    int estado = valorTrasUltima(etiqueta, p);
    std::string valor = estado == 2 ? textoToken(p) : "";
    const char* inicio = estado == 2 ? contenido.data() + tokens[p].inicio : "";
    return valorSuelto<double>(estado, valor, inicio, etiqueta, "real", convertirReal, -1.0);
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n)
{
    return getTokenTras(etiqueta, n, 1);
}

std::string claseLeerArchivo::getTokenTras(std::string etiqueta, int n, int j)
{
    size_t p = 0;
    if (j < 1 || !buscar(etiqueta, n, p) || static_cast<size_t>(j) >= tokens.size() - p) {
        return "";
    }
    return textoToken(p + static_cast<size_t>(j));
}

std::vector<std::string> claseLeerArchivo::getTokensConDosPuntos()
{
    if (!leido) {
        leer();
    }
    return conDosPuntos;
}

MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas)
{
    if (columnas < 1) {
        return MatrixXd(0, 0);
    }
    // La corrida tras la primera aparición; las apariciones dentro de ella
    // (solo si la etiqueta es numérica) no cuentan
    const std::vector<size_t>& lista = apariciones(etiqueta);
    size_t desde = 0, hasta = 0;
    size_t cuenta = lista.size();
    if (!lista.empty()) {
        desde = lista[0] + 1;
        hasta = desde;
        while (hasta < tokens.size() && esNumeroToken(hasta)) {
            hasta++;
        }
        for (size_t o : lista) {
            if (o >= desde && o < hasta) {
                cuenta--;
            }
        }
    }
    if (cuenta > 1) {
        std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << cuenta
                  << " veces; se usa la primera tabla" << std::endl;
    }
    size_t largo = hasta - desde;
    if (largo % static_cast<size_t>(columnas) != 0) {
        std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
        return MatrixXd(0, 0);
    }
    std::vector<double> valores;
    if (!convertirCorrida(desde, hasta, etiqueta, "la tabla", valores)) {
        return MatrixXd(0, columnas);
    }
    Eigen::Index filas = static_cast<Eigen::Index>(valores.size()) / columnas;
    MatrixXd matriz(filas, columnas);
    for (Eigen::Index i = 0; i < filas; i++) {
        for (Eigen::Index j = 0; j < columnas; j++) {
            matriz(i, j) = valores[static_cast<size_t>(i * columnas + j)];
        }
    }
    return matriz;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int k)
{
    std::vector<double> valores;
    size_t desde = 0;
    if (!inicioTras(etiqueta, n, k, desde)) {
        return valores;
    }
    size_t hasta = desde;
    while (hasta < tokens.size() && esNumeroToken(hasta)) {
        hasta++;
    }
    convertirCorrida(desde, hasta, etiqueta, "el bloque", valores);
    return valores;
}

// Pares (factor, palabra) tras la n-ésima aparición y k tokens saltados.
// Con avisar escribe las líneas de los factores descartados.
bool claseLeerArchivo::leerPares(const std::string& etiqueta, int n, int k, bool avisar,
                                 std::vector<double>& factores, std::vector<std::string>& palabras)
{
    factores.clear();
    palabras.clear();
    size_t i = 0;
    if (!inicioTras(etiqueta, n, k, i)) {
        return true;
    }
    while (i < tokens.size() && esNumeroToken(i)) {
        double factor = 0;
        if (!convertirReal(contenido.data() + tokens[i].inicio, factor)) {
            if (avisar) {
                std::cout << "Advertencia: el factor " << textoToken(i)
                          << " después de la etiqueta " << etiqueta
                          << " no es un número válido; se descarta la lista" << std::endl;
            }
            factores.clear();
            palabras.clear();
            return false;
        }
        if (i + 1 >= tokens.size()) {
            if (avisar) {
                std::cout << "Advertencia: el factor " << textoToken(i) << " al final de la etiqueta "
                          << etiqueta << " no tiene caso; se omite" << std::endl;
            }
            break;
        }
        factores.push_back(factor);
        palabras.push_back(textoToken(i + 1));
        i += 2;
    }
    return true;
}

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int k)
{
    std::vector<double> factores;
    std::vector<std::string> palabras;
    leerPares(etiqueta, n, k, true, factores, palabras);
    return factores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int k)
{
    std::vector<double> factores;
    std::vector<std::string> palabras;
    leerPares(etiqueta, n, k, false, factores, palabras);
    return palabras;
}

bool claseLeerArchivo::esNumeroToken(size_t i) const
{
    return soloCaracteresNumericos(contenido.data() + tokens[i].inicio, tokens[i].largo);
}

// Primer token después de la n-ésima aparición y k tokens saltados; false si
// no hay tal aparición o el archivo termina antes de saltar los k
bool claseLeerArchivo::inicioTras(const std::string& etiqueta, int n, int k, size_t& inicio)
{
    size_t p = 0;
    if (!buscar(etiqueta, n, p)) {
        return false;
    }
    size_t saltos = k > 0 ? static_cast<size_t>(k) : 0;
    if (saltos >= tokens.size() - p) {
        return false;
    }
    inicio = p + 1 + saltos;
    return true;
}

// Convierte los tokens [desde, hasta); si uno no da número escribe una línea
// con la etiqueta y el valor y devuelve false
bool claseLeerArchivo::convertirCorrida(size_t desde, size_t hasta, const std::string& etiqueta,
                                        const char* queSeDescarta, std::vector<double>& valores)
{
    valores.clear();
    valores.reserve(hasta - desde);
    for (size_t i = desde; i < hasta; i++) {
        double v = 0;
        if (!convertirReal(contenido.data() + tokens[i].inicio, v)) {
            std::cout << "Advertencia: el valor " << textoToken(i) << " después de la etiqueta "
                      << etiqueta << " no es un número válido; se descarta " << queSeDescarta
                      << std::endl;
            valores.clear();
            return false;
        }
        valores.push_back(v);
    }
    return true;
}
