// Lector de etiquetas y tokens del archivo de entrada.
// Lee el archivo una sola vez (en la primera consulta) a una lista de tokens
// con un índice de cada etiqueta a sus apariciones; todas las consultas
// responden de esa lectura, así una carga ve un solo estado del archivo.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include <Eigen/Dense>

using Eigen::MatrixXd;

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
    // Token j-ésimo después de la n-ésima aparición (j = 1 es el siguiente);
    // vacío si no hay tal aparición o el archivo termina antes
    std::string getTokenTras(std::string etiqueta, int n, int j);
    // Tokens distintos que terminan en dos puntos, en orden de primera aparición
    std::vector<std::string> getTokensConDosPuntos();

private:
    struct token {
        size_t inicio;
        size_t largo;
    };

    std::string nombreArchivo;
    bool leido = false;
    bool legible = false;
    std::string contenido;
    std::vector<token> tokens;
    // apariciones de cada token que termina en dos puntos
    std::unordered_map<std::string, std::vector<size_t>> indice;
    std::vector<std::string> conDosPuntos;
    // apariciones de una etiqueta sin dos puntos, buscada en toda la lista
    std::vector<size_t> aparicionesSueltas;

    void leer();
    std::string textoToken(size_t i) const;
    bool igual(size_t i, const std::string& etiqueta) const;
    const std::vector<size_t>& apariciones(const std::string& etiqueta);
    bool buscar(const std::string& etiqueta, int n, size_t& posicion);
    bool inicioTras(const std::string& etiqueta, int n, int k, size_t& inicio);
    bool esNumeroToken(size_t i) const;
    // 0 sin apariciones, 1 si la última es el último token, 2 con valor en posicion
    int valorTrasUltima(const std::string& etiqueta, size_t& posicion);
    bool convertirCorrida(size_t desde, size_t hasta, const std::string& etiqueta,
                          const char* queSeDescarta, std::vector<double>& valores);
    bool leerPares(const std::string& etiqueta, int n, int k, bool avisar,
                   std::vector<double>& factores, std::vector<std::string>& palabras);
};
