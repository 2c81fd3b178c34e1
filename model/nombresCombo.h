// Nombres de combos de un nudo o una barra, en orden de primera aparición.
// Los objetos que reciben los mismos combos en el mismo orden comparten una
// sola lista de nombres (cada uno guarda hasta dónde llega la suya), así
// miles de combos en miles de objetos no repiten los textos.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

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
