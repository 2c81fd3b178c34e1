// Listas de nombres de combos compartidas entre objetos.
#include "model/nombresCombo.h"

#include <unordered_map>

struct claseNombresCombo::lista {
    std::vector<std::string> nombres;
    std::unordered_map<std::string, int> indice;

    void agregar(const std::string& nombre)
    {
        indice.emplace(nombre, static_cast<int>(nombres.size()));
        nombres.push_back(nombre);
    }
};

namespace {

// Última lista empezada: el siguiente objeto nuevo la sigue
std::weak_ptr<claseNombresCombo::lista> ultimaLista;

}  // namespace

int claseNombresCombo::buscar(const std::string& nombre) const
{
    if (!compartida) {
        return -1;
    }
    // Lo común al cargar: el último combo del objeto otra vez, o el que le
    // sigue en la lista compartida (que por ser único no está entre los suyos)
    const std::vector<std::string>& todos = compartida->nombres;
    size_t propios = static_cast<size_t>(cantidad);
    if (propios > 0 && todos[propios - 1] == nombre) {
        return cantidad - 1;
    }
    if (propios < todos.size() && todos[propios] == nombre) {
        return -1;
    }
    // el objeto solo ve sus primeros nombres de la lista
    auto it = compartida->indice.find(nombre);
    return it != compartida->indice.end() && it->second < cantidad ? it->second : -1;
}

int claseNombresCombo::agregar(const std::string& nombre)
{
    if (!compartida) {
        compartida = ultimaLista.lock();
        if (!compartida || (!compartida->nombres.empty() && compartida->nombres[0] != nombre)) {
            compartida = std::make_shared<lista>();
            ultimaLista = compartida;
        }
    }
    size_t largo = compartida->nombres.size();
    size_t propios = static_cast<size_t>(cantidad);
    if (propios < largo && compartida->nombres[propios] == nombre) {
        // el mismo nombre que sigue en la lista compartida
    } else if (propios == largo) {
        // el objeto llega al final de la lista: el nombre nuevo se agrega a ella
        // (los objetos que ven menos nombres no lo ven)
        compartida->agregar(nombre);
    } else {
        // el objeto se aparta de la lista: copia sus nombres a una propia
        auto propia = std::make_shared<lista>();
        propia->nombres.reserve(propios + 1);
        for (size_t i = 0; i < propios; i++) {
            propia->agregar(compartida->nombres[i]);
        }
        propia->agregar(nombre);
        compartida = propia;
    }
    return cantidad++;
}

const std::string& claseNombresCombo::operator[](size_t i) const { return compartida->nombres[i]; }

std::vector<std::string> claseNombresCombo::nombres() const
{
    if (!compartida) {
        return {};
    }
    return std::vector<std::string>(compartida->nombres.begin(),
                                    compartida->nombres.begin() + cantidad);
}
