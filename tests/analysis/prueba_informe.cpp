// Informe "resultados.txt": archivo completo de un voladizo comparado con el
// esperado hecho a mano, modelo vacío, informe antes del análisis y reemplazo
// de un informe anterior.
#include <climits>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "ayuda_estructura.h"

namespace {

using ayuda::empotrado;
using ayuda::modelo;

// Corre f en una carpeta temporal nueva y devuelve el informe que quedó
class carpetaTemporal {
public:
    carpetaTemporal()
    {
        char plantilla[] = "/tmp/tresnal_informeXXXXXX";
        char* dir = mkdtemp(plantilla);
        EXPECT_NE(dir, nullptr);
        ruta = dir ? dir : "/tmp";
        char actual[PATH_MAX];
        anterior = getcwd(actual, sizeof(actual)) ? actual : "/tmp";
        EXPECT_EQ(chdir(ruta.c_str()), 0);
    }
    ~carpetaTemporal()
    {
        if (chdir(anterior.c_str()) != 0) {
            ADD_FAILURE() << "no se pudo volver a " << anterior;
        }
        std::remove((ruta + "/resultados.txt").c_str());
        rmdir(ruta.c_str());
    }
    std::string informe() const { return leerArchivo(ruta + "/resultados.txt"); }

private:
    std::string ruta, anterior;
};

// Voladizo de 2 m a lo largo de x con ejes locales iguales a los globales
// (giro -90): EA/L = 50, GJ/L = 80, EIz = 500 y EIy = 200. C1: punta con
// Fy = -3 y Mz = 2; C2: repartida local z de -3 por 2, punta con Fz = -2, My = 1.
// En el esperado, Beta = -asin(0) y los momentos de empotramiento de una carga
// nula (-L²·0) se escriben "-0", como los deja el flujo.
void armarVoladizo(modelo& m)
{
    int n0 = m.nudoEn(10, 0, 0, 0, empotrado);
    int n1 = m.nudoEn(20, 2, 0, 0);
    int b = m.barraEntre(7, n0, n1, {0.1, 0.2, 0.5, 0.4}, {1000, 0.25}, -90);
    m.puntual(n1, "P", 0, -3, 0, 0, 0, 2);
    m.puntual(n1, "T", 0, 0, -2, 0, 1, 0);
    m.repartidaLocalZ(b, "Q", -3, -3, Eigen::Vector3d(0, 0, 1));
    m.combos({{"C1", {{1, "P"}}}, {"C2", {{2, "Q"}, {1, "T"}}}});
}

}  // namespace

TEST(Informe, VoladizoCompletoComoElEsperado)
{
    modelo m;
    armarVoladizo(m);
    ASSERT_TRUE(funcionSolve()) << mensajeAnalisis;
    carpetaTemporal carpeta;
    std::string salida = capturarSalida([] { funcionPrint(); });
    EXPECT_EQ(salida, "");
    std::string esperado = leerArchivo(DIR_PRUEBAS "/analysis/esperado/informe_voladizo.txt");
    ASSERT_FALSE(esperado.empty());
    EXPECT_EQ(carpeta.informe(), esperado);
}

TEST(Informe, ModeloVacioSoloEncabezados)
{
    reiniciarModelo();
    ASSERT_TRUE(funcionSolve());
    carpetaTemporal carpeta;
    funcionPrint();
    EXPECT_EQ(carpeta.informe(),
              "****************NUDOS:*******************\n"
              "#nudo interno | #nudoUsuario | X | Y | Z\n"
              "\n\n\n****************BARRAS:*******************\n"
              "\n\n\n************MATRIZ K ESTRUCTURA***************\n\n"
              "\n\n\n************VECTOR DE CARGAS PUNTUALES ESTRUCTURA***************\n\n"
              "\n\n\n************VECTOR DE CARGAS DISTRIBUIDAS EQUIVALENTES***************\n\n"
              "\n\n\n************DESPLAZAMIENTOS***************\nvector u:\n\n");
}

TEST(Informe, AntesDelAnalisisMatricesVaciasYReemplazaElAnterior)
{
    carpetaTemporal carpeta;
    // Un informe completo primero, para ver que el siguiente lo reemplaza
    {
        modelo m;
        armarVoladizo(m);
        ASSERT_TRUE(funcionSolve());
        funcionPrint();
        ASSERT_NE(carpeta.informe().find("-0.0966667"), std::string::npos);
    }
    modelo m;  // vacía el modelo y los resultados, como una recarga
    armarVoladizo(m);
    funcionPrint();
    std::string texto = carpeta.informe();
    EXPECT_EQ(texto.find("-0.0966667"), std::string::npos);
    // El modelo sí está: nudos, barra con su rigidez y sus cargas de combo
    EXPECT_NE(texto.find("1 20 2 0 0\n"), std::string::npos);
    EXPECT_NE(texto.find("   combo: C2\n 0  0  0  0 -6 -6  0\n"), std::string::npos);
    // Sin fuerzas en extremos ni matrices de la estructura
    EXPECT_NE(texto.find("mx10 my11 mz12]trans\n\n\n\n"), std::string::npos);
    const std::string cola =
        "\n\n\n************MATRIZ K ESTRUCTURA***************\n\n"
        "\n\n\n************VECTOR DE CARGAS PUNTUALES ESTRUCTURA***************\n\n"
        "\n\n\n************VECTOR DE CARGAS DISTRIBUIDAS EQUIVALENTES***************\n\n"
        "\n\n\n************DESPLAZAMIENTOS***************\nvector u:\n\n";
    ASSERT_GE(texto.size(), cola.size());
    EXPECT_EQ(texto.substr(texto.size() - cola.size()), cola);
}
