// Estado global al arrancar, sus grupos y el reinicio del modelo.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "app/zurezar3o.h"

namespace {

// Todos los grupos, uno detrás de otro
auto todosLosGrupos()
{
    return std::tuple_cat(globalesCantidades(), globalesModelo(), globalesDibujo(),
                          globalesSesion(), globalesVersiones());
}

// Las direcciones de los globales, en el orden de su lista
#define DIRECCION_GLOBAL(tipo, nombre, inicial) &nombre,
const void* const direccionesGlobales[] = {TODOS_LOS_GLOBALES(DIRECCION_GLOBAL)};
#undef DIRECCION_GLOBAL

// Copia de los valores de un grupo de globales (una tupla de referencias)
template <class... T>
std::tuple<T...> copiaDe(const std::tuple<T&...>& grupo)
{
    return grupo;
}

// Vacío o 0: el valor de arranque de casi todos los globales
template <class T>
bool vacio(const T& v)
{
    if constexpr (std::is_arithmetic_v<T> || std::is_same_v<T, tiemposAnalisis>) {
        return v == T();
    } else {
        return v.size() == 0;
    }
}

// Los globales tal como quedaron construidos, mirados antes de la primera
// prueba: así ValoresDeConstruccion no depende de correr primero
struct Arranque {
    std::vector<std::pair<std::string, bool>> vacios;  // cada uno: vacío o en 0
    std::vector<int> flags;
    std::string dialogo;
    double pi = 0;
    int numeroComboCoincidente = 0;
};
const Arranque* arranque = nullptr;

class MirarArranque : public testing::Environment {
public:
    void SetUp() override
    {
        if (arranque != nullptr) return;
        Arranque* a = new Arranque{{}, flags, dialogo, PI, numeroComboCoincidente};
#define VACIO_GLOBAL(tipo, nombre, inicial) a->vacios.push_back({#nombre, vacio(nombre)});
        TODOS_LOS_GLOBALES(VACIO_GLOBAL)
#undef VACIO_GLOBAL
        arranque = a;
    }
};
testing::Environment* const mirarArranque = testing::AddGlobalTestEnvironment(new MirarArranque);

// Pone algo en el global: un número, un texto o dos elementos
template <class T>
void llenar(T& v)
{
    if constexpr (std::is_arithmetic_v<T>) {
        v = 7;
    } else if constexpr (std::is_same_v<T, std::string>) {
        v = "x";
    } else if constexpr (std::is_same_v<T, MatrixXd>) {
        v.setOnes(2, 2);
    } else if constexpr (std::is_same_v<T, VectorXi>) {
        v.setOnes(2);
    } else if constexpr (std::is_same_v<T, tiemposAnalisis>) {
        v.solucion = 7;
    } else {
        v.resize(2);
    }
}

// Cada global del grupo vacío o en 0; la falla dice su lugar en el grupo
template <class Grupo>
void exigirVacios(const Grupo& grupo, const char* que)
{
    int i = 0;
    auto revisar = [&](const auto& g) {
        EXPECT_TRUE(vacio(g)) << que << ", lugar " << i;
        i++;
    };
    std::apply([&](const auto&... g) { (revisar(g), ...); }, grupo);
}

}  // namespace

// Cada global tal como quedó construido, antes de la primera prueba
TEST(Globales, ValoresDeConstruccion)
{
    ASSERT_NE(arranque, nullptr);
    // Todos vacíos o en 0 salvo cuatro, que arrancan con su valor
    const std::set<std::string> conValor = {"flags", "dialogo", "PI", "numeroComboCoincidente"};
    ASSERT_EQ(arranque->vacios.size(), std::size(direccionesGlobales));
    int vistos = 0;
    for (const auto& [nombre, vacio] : arranque->vacios) {
        if (conValor.count(nombre) != 0) {
            vistos++;
        } else {
            EXPECT_TRUE(vacio) << nombre;
        }
    }
    EXPECT_EQ(vistos, 4);
    EXPECT_EQ(arranque->flags, std::vector<int>(200, 0));
    EXPECT_EQ(arranque->dialogo, "Comando:");
    EXPECT_EQ(arranque->pi, 3.141592653589793);
    EXPECT_EQ(arranque->numeroComboCoincidente, -1);
}

// Los grupos, uno detrás de otro, son la lista de los globales: cada uno en un
// grupo y en uno solo. La escena lee los de su estado (la firma de la caché) y
// ninguno de la sesión ni del modelo (esos, por las versiones).
TEST(Globales, CadaUnoEnUnSoloGrupo)
{
    auto direcciones = [](const auto& grupo) {
        std::vector<const void*> v;
        std::apply([&](const auto&... g) { (v.push_back(&g), ...); }, grupo);
        return v;
    };
    const std::vector<const void*> lista(std::begin(direccionesGlobales),
                                         std::end(direccionesGlobales));
    EXPECT_EQ(direcciones(todosLosGrupos()), lista);
    EXPECT_EQ(std::set<const void*>(lista.begin(), lista.end()).size(), lista.size());
    std::vector<const void*> escena = direcciones(estadoEscena());
    for (const void* g : direcciones(std::tuple_cat(globalesSesion(), globalesModelo()))) {
        escena.push_back(g);
    }
    std::sort(escena.begin(), escena.end());
    std::vector<const void*> todas = lista;
    std::sort(todas.begin(), todas.end());
    EXPECT_EQ(escena, todas);
}

// El reinicio deja vacíos o en 0 todos los globales del modelo, cambia su
// versión y no toca los demás
TEST(Globales, ReinicioDelModelo)
{
    const auto dibujo = copiaDe(globalesDibujo());
    const auto sesion = copiaDe(globalesSesion());
    auto modelo = std::tuple_cat(globalesCantidades(), globalesModelo());
    std::apply([](auto&... g) { (llenar(g), ...); }, modelo);
    escalaDef = 3;
    dialogo = "otro";
    flags[0] = 5;
    const unsigned long version = versionModelo;
    const unsigned long resultados = versionResultados;
    reiniciarModelo();
    exigirVacios(modelo, "modelo");
    EXPECT_GT(versionModelo, version);
    EXPECT_EQ(versionResultados, resultados);
    EXPECT_EQ(escalaDef, 3);
    EXPECT_EQ(dialogo, "otro");
    EXPECT_EQ(flags[0], 5);
    globalesDibujo() = dibujo;
    globalesSesion() = sesion;
}

// Los nombres de los combos del modelo: los de los nudos, en su orden; sin
// nudos, ninguno
TEST(Globales, NombresDeLosCombosDelModelo)
{
    reiniciarModelo();
    EXPECT_EQ(nombresCombosModelo().size(), 0u);
    nudo.resize(2);
    for (objNudo3d& n : nudo) {
        n.setCombo("ELU", 1.2, "PP");
        n.setCombo("SERV", 1, "PP");
        n.setCombo("ELU", 1.6, "SC");
    }
    EXPECT_EQ(nombresCombosModelo().nombres(), (std::vector<std::string>{"ELU", "SERV"}));
    EXPECT_EQ(nombresCombosModelo().buscar("SERV"), 1);
    EXPECT_EQ(nombresCombosModelo().buscar("GRAV"), -1);
    reiniciarModelo();
    EXPECT_EQ(nombresCombosModelo().size(), 0u);
}
