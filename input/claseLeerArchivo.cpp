// Lector de etiquetas: cada consulta abre el archivo, lo recorre token por
// token desde el principio y lo cierra. No guarda nada entre consultas.
#include "input/claseLeerArchivo.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <locale>

namespace {

// Recorrido de tokens separados por espacios, solo lectura, locale clásico.
// Solo se abren archivos regulares: una carpeta, un dispositivo o una
// tubería se leen como un archivo vacío (una tubería no se podría releer en
// cada consulta, y abrirla o leerla podría no terminar nunca).
class recorridoTokens {
public:
    explicit recorridoTokens(const std::string& ruta)
    {
        std::error_code error;
        if (std::filesystem::is_regular_file(ruta, error)) {
            archivo.open(ruta, std::ios::in);
        }
        archivo.imbue(std::locale::classic());
    }

    bool abierto() const { return archivo.is_open(); }

    bool siguiente(std::string& token) { return static_cast<bool>(archivo >> token); }

    // Avanza hasta justo después de la n-ésima aparición de la etiqueta
    bool buscar(const std::string& etiqueta, int n)
    {
        if (n < 1) {
            return false;
        }
        std::string token;
        int vistas = 0;
        while (siguiente(token)) {
            if (token == etiqueta && ++vistas == n) {
                return true;
            }
        }
        return false;
    }

    // Descarta hasta k tokens; false si el archivo se terminó antes
    bool saltar(int k)
    {
        std::string token;
        for (int i = 0; i < k; i++) {
            if (!siguiente(token)) {
                return false;
            }
        }
        return true;
    }

private:
    std::ifstream archivo;
};

// Real al comienzo del token, como stod (el programa no cambia el locale de
// C, así que el punto es el separador decimal); false si no empieza con un
// número o si no cabe en un double
bool convertirReal(const std::string& token, double& valor)
{
    const char* inicio = token.c_str();
    char* fin = nullptr;
    double v = std::strtod(inicio, &fin);
    if (fin == inicio || !std::isfinite(v)) {
        return false;
    }
    valor = v;
    return true;
}

// Entero en base 10 al comienzo del token, como stoi; false si no hay
// número o si queda fuera del rango de int
bool convertirEntero(const std::string& token, int& valor)
{
    const char* inicio = token.c_str();
    char* fin = nullptr;
    errno = 0;
    long v = std::strtol(inicio, &fin, 10);
    if (fin == inicio || errno == ERANGE || v < INT_MIN || v > INT_MAX) {
        return false;
    }
    valor = static_cast<int>(v);
    return true;
}

// Tokens numéricos seguidos desde la posición actual
std::vector<std::string> leerCorrida(recorridoTokens& recorrido, claseLeerArchivo& lector)
{
    std::vector<std::string> corrida;
    std::string token;
    while (recorrido.siguiente(token) && lector.esNumero(token)) {
        corrida.push_back(token);
    }
    return corrida;
}

// Convierte una corrida; si un token no da número escribe una línea con la
// etiqueta y el valor y devuelve false
bool convertirCorrida(const std::vector<std::string>& corrida, const std::string& etiqueta,
                      const char* queSeDescarta, std::vector<double>& valores)
{
    valores.clear();
    valores.reserve(corrida.size());
    for (const std::string& token : corrida) {
        double v = 0;
        if (!convertirReal(token, v)) {
            std::cout << "Advertencia: el valor " << token << " después de la etiqueta "
                      << etiqueta << " no es un número válido; se descarta " << queSeDescarta
                      << std::endl;
            valores.clear();
            return false;
        }
        valores.push_back(v);
    }
    return true;
}

// Token que sigue a la última aparición de la etiqueta; 0 sin apariciones,
// 1 si la última es el último token del archivo, 2 con valor
int valorTrasUltima(const std::string& ruta, const std::string& etiqueta, std::string& valor)
{
    recorridoTokens recorrido(ruta);
    std::string token;
    int estado = 0;
    while (recorrido.siguiente(token)) {
        if (token == etiqueta) {
            estado = recorrido.siguiente(valor) ? 2 : 1;
        }
    }
    return estado;
}

// Valor tras la última aparición convertido; el valor ausente, con una
// línea de aviso, si no hay etiqueta, no hay valor o no se puede convertir
template <class T>
T valorSuelto(const std::string& ruta, const std::string& etiqueta, const char* clase,
              bool (*convertir)(const std::string&, T&), T ausente)
{
    std::string valor;
    int estado = valorTrasUltima(ruta, etiqueta, valor);
    T resultado = ausente;
    if (estado == 0) {
        std::cout << "Advertencia: no se encontró ningún " << clase << " con etiqueta "
                  << etiqueta << std::endl;
    } else if (estado == 1) {
        std::cout << "Advertencia: falta el valor de la etiqueta " << etiqueta << std::endl;
    } else if (!convertir(valor, resultado)) {
        std::cout << "Advertencia: el valor " << valor << " de la etiqueta " << etiqueta
                  << " no es un " << clase << " válido" << std::endl;
        resultado = ausente;
    }
    return resultado;
}

}  // namespace

claseLeerArchivo::claseLeerArchivo() {}

claseLeerArchivo::~claseLeerArchivo() {}

void claseLeerArchivo::setNombreArchivo(std::string nombre) { nombreArchivo = nombre; }

bool claseLeerArchivo::esNumero(std::string token)
{
    return token.find_first_not_of("1234567890+-.e") == std::string::npos;
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta)
{
    recorridoTokens recorrido(nombreArchivo);
    int cuenta = 0;
    std::string token;
    while (recorrido.siguiente(token)) {
        if (token == etiqueta) {
            cuenta++;
        }
    }
    return cuenta;
}

bool claseLeerArchivo::getArchivoLegible() { return recorridoTokens(nombreArchivo).abierto(); }

int claseLeerArchivo::getEntero(std::string etiqueta)
{
    return valorSuelto<int>(nombreArchivo, etiqueta, "entero", convertirEntero, -1);
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    return valorSuelto<double>(nombreArchivo, etiqueta, "real", convertirReal, -1.0);
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n)
{
    recorridoTokens recorrido(nombreArchivo);
    std::string token;
    if (recorrido.buscar(etiqueta, n) && recorrido.siguiente(token)) {
        return token;
    }
    return "";
}

MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas)
{
    if (columnas < 1) {
        return MatrixXd(0, 0);
    }
    // Una sola pasada: la corrida tras la primera aparición y la cuenta de
    // apariciones
    recorridoTokens recorrido(nombreArchivo);
    std::vector<std::string> corrida;
    int apariciones = 0;
    bool enTabla = false;
    std::string token;
    while (recorrido.siguiente(token)) {
        if (enTabla) {
            if (esNumero(token)) {
                corrida.push_back(token);
                continue;
            }
            enTabla = false;
        }
        if (token == etiqueta && ++apariciones == 1) {
            enTabla = true;
        }
    }
    if (apariciones > 1) {
        std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << apariciones
                  << " veces; se usa la primera tabla" << std::endl;
    }
    if (corrida.size() % static_cast<size_t>(columnas) != 0) {
        std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
        return MatrixXd(0, 0);
    }
    std::vector<double> valores;
    if (!convertirCorrida(corrida, etiqueta, "la tabla", valores)) {
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
    recorridoTokens recorrido(nombreArchivo);
    if (!recorrido.buscar(etiqueta, n) || !recorrido.saltar(k)) {
        return valores;
    }
    convertirCorrida(leerCorrida(recorrido, *this), etiqueta, "el bloque", valores);
    return valores;
}

namespace {

// Pares (factor, palabra) tras la n-ésima aparición y k tokens saltados.
// Con avisar escribe las líneas de los factores descartados.
bool leerPares(const std::string& ruta, claseLeerArchivo& lector, const std::string& etiqueta,
               int n, int k, bool avisar, std::vector<double>& factores,
               std::vector<std::string>& palabras)
{
    factores.clear();
    palabras.clear();
    recorridoTokens recorrido(ruta);
    if (!recorrido.buscar(etiqueta, n) || !recorrido.saltar(k)) {
        return true;
    }
    std::string token, palabra;
    while (recorrido.siguiente(token) && lector.esNumero(token)) {
        double factor = 0;
        if (!convertirReal(token, factor)) {
            if (avisar) {
                std::cout << "Advertencia: el factor " << token << " después de la etiqueta "
                          << etiqueta << " no es un número válido; se descarta la lista"
                          << std::endl;
            }
            factores.clear();
            palabras.clear();
            return false;
        }
        if (!recorrido.siguiente(palabra)) {
            if (avisar) {
                std::cout << "Advertencia: el factor " << token << " al final de la etiqueta "
                          << etiqueta << " no tiene caso; se omite" << std::endl;
            }
            break;
        }
        factores.push_back(factor);
        palabras.push_back(palabra);
    }
    return true;
}

}  // namespace

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int k)
{
    std::vector<double> factores;
    std::vector<std::string> palabras;
    leerPares(nombreArchivo, *this, etiqueta, n, k, true, factores, palabras);
    return factores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int k)
{
    std::vector<double> factores;
    std::vector<std::string> palabras;
    leerPares(nombreArchivo, *this, etiqueta, n, k, false, factores, palabras);
    return palabras;
}
