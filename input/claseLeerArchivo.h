// Lector de etiquetas y tokens del archivo de entrada.
// Lee el archivo una sola vez (en la primera consulta) a una lista de tokens,
// con la línea de cada uno y un índice de cada etiqueta a sus apariciones;
// todas las consultas responden de esa lectura, así una carga ve un solo
// estado del archivo. Cada token que una consulta entrega queda marcado como
// leído: al final de la carga se sabe cuáles no leyó nadie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include <Eigen/Dense>

using Eigen::MatrixXd;

// Lo que se lee tras una etiqueta: números, o pares (factor, palabra)
enum class claseCorrida { numeros, pares };

// Por qué terminó una corrida
enum class finCorrida {
    archivo,     // se acabó el archivo
    dosPuntos,   // un token que termina en dos puntos
    ajeno,       // un token que no es un número completo (1,5  2.5e  1-2  nan)
    sinPalabra,  // pares: un factor al final del archivo, sin su palabra
    etiquetaTrasFactor,  // pares: un factor seguido de una de las etiquetas dadas, sin su palabra
};

// Una corrida tras la n-ésima aparición de una etiqueta y k tokens saltados
struct corridaLeida {
    claseCorrida clase = claseCorrida::numeros;
    bool existe = false;   // hay n-ésima aparición
    size_t etiqueta = 0;   // token de esa aparición
    size_t saltados = 0;   // tokens saltados tras ella (menos de k si se acabó el archivo)
    size_t primero = 0;    // primer token de la corrida
    std::vector<double> valores;        // los números, o los factores de los pares
    std::vector<std::string> palabras;  // las palabras de los pares
    size_t fin = 0;  // token que la terminó (la cantidad de tokens si fue el archivo)
    finCorrida motivo = finCorrida::archivo;

    // Token del valor i (número o factor) y de la palabra i
    size_t tokenValor(size_t i) const
    {
        return primero + (clase == claseCorrida::pares ? 2 * i : i);
    }
    size_t tokenPalabra(size_t i) const { return primero + 2 * i + 1; }
};

// La tabla tras la primera aparición de una etiqueta
struct tablaLeida {
    corridaLeida corrida;
    MatrixXd matriz;  // 0 x 0 si la corrida no completa filas
    std::vector<size_t> otras;  // las demás apariciones, que no se leen
};

// El valor tras la última aparición de una etiqueta de ajuste
struct valorLeido {
    int estado = 0;   // 0 sin la etiqueta, 1 sin valor tras la última, 2 con valor
    size_t token = 0; // el valor (estado 2) o la última aparición (estado 1)
    bool valido = false;
    double valor = 0;    // truncado hacia cero si es entero
    double escrito = 0;  // como está en el archivo
    // cada aparición que cuenta, con el token de su valor (o la cantidad de
    // tokens si no tiene); la última es la que vale
    std::vector<std::pair<size_t, size_t>> apariciones;
};

enum class claseValor { entero, real };

// Estado de un token al terminar una carga
enum class estadoToken : std::uint8_t {
    sinLeer,   // ninguna consulta lo entregó
    leido,     // una consulta lo entregó
    nombrado,  // un aviso lo nombró: lo que sigue sin leer queda dicho con él
};

class claseLeerArchivo {
public:
    claseLeerArchivo();
    ~claseLeerArchivo();

    void setNombreArchivo(std::string nombre);
    // true si el archivo se puede leer; si no, cada consulta lo lee vacío
    bool getArchivoLegible();
    bool esNumero(std::string token);
    int getNoEtiquetas(std::string etiqueta);
    int getEntero(std::string etiqueta);
    double getReal(std::string etiqueta);
    std::string getString(std::string etiqueta, int n);
    MatrixXd getMatriz(std::string etiqueta, int columnas);
    std::vector<double> getMatrizEtiquetaRepetida(std::string etiqueta, int n, int k);
    std::vector<double> getFactoresEtiqueta(std::string etiqueta, int n, int k);
    std::vector<std::string> getNombresDeFactores(std::string etiqueta, int n, int k);

    // La corrida tras la n-ésima aparición y k tokens saltados; marca como
    // leídos la etiqueta, los saltados y los tokens de la corrida. En los
    // pares, una palabra que es una de las etiquetas dadas no es la palabra
    // de su factor: la corrida termina en ese factor.
    corridaLeida getCorrida(const std::string& etiqueta, int n, int k, claseCorrida clase,
                            const std::unordered_set<std::string>* etiquetas = nullptr);
    // Tabla de la primera aparición; escribe las líneas de una tabla que no
    // completa filas y de una etiqueta repetida (nombra las demás apariciones)
    tablaLeida getTabla(const std::string& etiqueta, int columnas);
    // Valor de un ajuste; escribe la línea de una etiqueta ausente, sin valor
    // o con un valor que no es un número de su clase. Marca como leídos la
    // última aparición y su valor; las anteriores y sus valores, que no
    // cuentan, quedan nombrados: quien pide el valor dice que no cuentan.
    valorLeido getValor(const std::string& etiqueta, claseValor clase);
    // Tokens de las apariciones de la etiqueta, en orden; quedan nombrados:
    // quien los pide los nombra en un aviso
    std::vector<size_t> getApariciones(const std::string& etiqueta);

    // Tokens, uno por uno
    size_t getCantidadDeTokens();
    std::string getTexto(size_t token) const;
    int getLinea(size_t token) const;
    estadoToken getEstado(size_t token) const;
    // Lo marca como nombrado por un aviso; false si ya lo estaba (el aviso ya se escribió)
    bool marcarNombrado(size_t token);
    // "2.5e (línea 12)": el token citado y su línea
    std::string describir(size_t token) const;
    // Número del token entero (lo consume todo la conversión) y finito; false si no
    bool getNumero(size_t token, double& valor) const;

    // Texto citado en un aviso: a lo sumo unos 40 caracteres, cortado con "…"
    static std::string citar(const std::string& texto);
    // ", con un espacio fino (U+2009)": los caracteres que no se ven (o se ven
    // como un blanco sin serlo) del texto, por su código; vacío si no tiene
    static std::string nombrarInvisibles(const std::string& texto);
    // Bytes del carácter invisible que empieza en la posición p; 0 si no hay uno
    static size_t largoInvisible(const std::string& texto, size_t p);
    // "línea 3", "líneas 3 y 7", "líneas 3, 7, 9, 12, 15 y 4 más"
    static std::string listaDeLineas(std::vector<int> lineas);

private:
    struct token {
        size_t inicio;
        std::uint32_t largo;
        std::uint32_t linea;
    };

    std::string nombreArchivo;
    bool leido = false;
    bool legible = false;
    std::string contenido;
    std::vector<token> tokens;
    std::vector<estadoToken> estados;
    // apariciones de cada token que termina en dos puntos
    std::unordered_map<std::string, std::vector<size_t>> indice;
    // apariciones de una etiqueta sin dos puntos, buscada en toda la lista
    std::vector<size_t> aparicionesSueltas;

    void leer();
    void partirEnTokens();
    void marcarLeido(size_t token);
    void vaciar();
    bool igual(size_t i, const std::string& etiqueta) const;
    const std::vector<size_t>& apariciones(const std::string& etiqueta);
    bool buscar(const std::string& etiqueta, int n, size_t& posicion);
};
