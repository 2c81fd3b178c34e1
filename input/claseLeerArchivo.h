// Lector de etiquetas y tokens del archivo de entrada.
#pragma once

#include <string>
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

private:
    std::string nombreArchivo;
};
