// Estado global al arrancar, sus grupos y el reinicio del modelo.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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
                          globalesSesion());
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

// Los globales que no arrancan vacíos ni en 0, con su valor escrito aparte
bool arrancaConValor(const void* g)
{
    return g == &flags || g == &dialogo || g == &PI || g == &numeroComboCoincidente;
}

// Cada global del grupo vacío o en 0 (salvo los que arrancan con valor, si
// se los exceptúa); la falla dice su lugar en el grupo
template <class Grupo>
void exigirVacios(const Grupo& grupo, bool exceptuarConValor, const char* que)
{
    int i = 0;
    auto revisar = [&](const auto& g) {
        EXPECT_TRUE((exceptuarConValor && arrancaConValor(&g)) || vacio(g))
            << que << ", lugar " << i;
        i++;
    };
    std::apply([&](const auto&... g) { (revisar(g), ...); }, grupo);
}

// Cantidad de variables que declara el encabezado de los globales: cada
// línea "extern" declara una más que sus comas
int variablesDeclaradas()
{
    std::ifstream archivo(std::string(DIR_PRUEBAS) + "/../app/zurezar3o.h");
    EXPECT_TRUE(archivo.good());
    int n = 0;
    std::string linea;
    while (std::getline(archivo, linea)) {
        if (linea.rfind("extern ", 0) != 0) continue;
        n += 1 + static_cast<int>(std::count(linea.begin(), linea.end(), ','));
    }
    return n;
}

}  // namespace

TEST(Globales, ValoresDeConstruccion)
{
    // Este ejecutable no toca el estado: se ve tal como quedó construido
    exigirVacios(globalesCantidades(), true, "cantidades");
    exigirVacios(globalesModelo(), true, "modelo");
    exigirVacios(globalesDibujo(), true, "dibujo");
    exigirVacios(globalesSesion(), true, "sesión");
    ASSERT_EQ(flags.size(), 200u);
    for (int f : flags) EXPECT_EQ(f, 0);
    EXPECT_EQ(dialogo, "Comando:");
    EXPECT_EQ(PI, 3.141592653589793);
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(versionModelo, 0u);
    EXPECT_EQ(versionResultados, 0u);
}

// Cada variable del encabezado está en un grupo, y en uno solo: un global
// nuevo que no entre en ninguno (y así tampoco en la firma de la caché ni en el
// reinicio) hace fallar esta prueba
TEST(Globales, CadaUnoEnUnSoloGrupo)
{
    std::vector<const void*> direcciones;
    std::apply([&](const auto&... g) { (direcciones.push_back(&g), ...); }, todosLosGrupos());
    direcciones.push_back(&versionModelo);
    direcciones.push_back(&versionResultados);
    std::set<const void*> distintas(direcciones.begin(), direcciones.end());
    EXPECT_EQ(distintas.size(), direcciones.size()) << "un global está en dos grupos";
    EXPECT_EQ(static_cast<int>(direcciones.size()), variablesDeclaradas());
}

// El reinicio deja vacíos o en 0 todos los globales del modelo, cambia su
// versión y no toca los demás
TEST(Globales, ReinicioDelModelo)
{
    auto modelo = std::tuple_cat(globalesCantidades(), globalesModelo());
    std::apply([](auto&... g) { (llenar(g), ...); }, modelo);
    escalaDef = 3;
    dialogo = "otro";
    flags[0] = 5;
    const unsigned long version = versionModelo;
    const unsigned long resultados = versionResultados;
    reiniciarModelo();
    exigirVacios(modelo, false, "modelo");
    EXPECT_GT(versionModelo, version);
    EXPECT_EQ(versionResultados, resultados);
    EXPECT_EQ(escalaDef, 3);
    EXPECT_EQ(dialogo, "otro");
    EXPECT_EQ(flags[0], 5);
}
