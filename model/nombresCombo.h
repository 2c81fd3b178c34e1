// Combos de un nudo o una barra: sus nombres, en orden de primera aparición,
// y la suma de las cargas de un caso a un combo.
// Los objetos que reciben los mismos combos en el mismo orden comparten una
// sola lista de nombres (cada uno guarda hasta dónde llega la suya), así
// miles de combos en miles de objetos no repiten los textos.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <Eigen/Dense>

class claseNombresCombo {
public:
    // Índice del nombre, -1 si el objeto no lo tiene
    int buscar(const std::string& nombre) const;
    // Agrega un nombre que el objeto no tiene y devuelve su índice
    int agregar(const std::string& nombre);
    size_t size() const { return static_cast<size_t>(cantidad); }
    const std::string& operator[](size_t i) const;
    std::vector<std::string> nombres() const;

    struct lista;

private:
    std::shared_ptr<lista> compartida;
    int cantidad = 0;
};

// Tabla de cargas por caso de un objeto: una fila por carga, con el caso de
// cada fila; las filas solo se agregan
struct tablaDeCasos {
    const std::vector<std::string>& casos;
    const Eigen::MatrixXd& cargas;
};

// Índice de las filas de cada caso en las S tablas de cargas de un objeto,
// puesto al día con las filas llegadas desde la última suma
template <size_t S>
class claseFilasPorCaso {
public:
    // factor por la suma de las filas del caso, tabla por tabla en su orden
    template <int K>
    Eigen::Matrix<double, 1, K> suma(const std::array<tablaDeCasos, S>& tablas,
                                     const std::string& caso, double factor)
    {
        for (size_t t = 0; t < S; t++) {
            for (; indexadas[t] < tablas[t].casos.size(); indexadas[t]++) {
                filas[tablas[t].casos[indexadas[t]]][t].push_back(
                    static_cast<Eigen::Index>(indexadas[t]));
            }
        }
        Eigen::Matrix<double, 1, K> total = Eigen::Matrix<double, 1, K>::Zero();
        auto delCaso = filas.find(caso);
        if (delCaso != filas.end()) {
            for (size_t t = 0; t < S; t++) {
                for (Eigen::Index i : delCaso->second[t]) {
                    total += factor * tablas[t].cargas.row(i);
                }
            }
        }
        return total;
    }

private:
    std::unordered_map<std::string, std::array<std::vector<Eigen::Index>, S>> filas;
    std::array<size_t, S> indexadas{};
};

// Tabla de cargas por combo: una fila por combo; por filas y con el ancho fijo
// la tabla crece en su lugar, sin copiar las filas
template <int K>
using tablaDeCombos = Eigen::Matrix<double, Eigen::Dynamic, K, Eigen::RowMajor>;

// Suma la fila al combo: a la suya si el objeto ya lo tiene, si no a una
// fila nueva al final
template <int K>
void sumarAlCombo(claseNombresCombo& nombres, tablaDeCombos<K>& tabla, const std::string& combo,
                  const Eigen::Matrix<double, 1, K>& fila)
{
    int c = nombres.buscar(combo);
    if (c >= 0) {
        tabla.row(c) += fila;
        return;
    }
    Eigen::Index n = nombres.agregar(combo);
    tabla.conservativeResize(n + 1, Eigen::NoChange);
    tabla.row(n) = fila;
}
