// El corpus del fuzzer (fuzz/corpus) es lo que escriben las tablas de estas
// pruebas, más los ejemplos; fuzz/generar_corpus.sh lo regenera. Como tiene
// un archivo por cada clase de aviso, también sirve para ver que ninguna clase
// que se repite por objeto escribe sin tope.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "comun/utilidades.h"

namespace
{

namespace fs = std::filesystem;

// Nombre del archivo -> contenido, de los que cumplen el patrón
std::map<std::string, std::string> archivos(const fs::path& carpeta, const std::regex& patron)
{
    std::map<std::string, std::string> v;
    for (const fs::directory_entry& e : fs::directory_iterator(carpeta)) {
        std::string nombre = e.path().filename().string();
        if (std::regex_match(nombre, patron)) {
            v[nombre] = leerArchivo(e.path().string());
        }
    }
    return v;
}

} // namespace

TEST(Corpus, IgualAlQueEscribenLasPruebas)
{
    // dentro de la corrida que escribe el corpus no hay nada que comparar
    if (std::getenv("TRESNAL_CORPUS")) {
        GTEST_SKIP();
    }
    const fs::path corpus = fs::path(DIR_PRUEBAS) / ".." / "fuzz" / "corpus";
    char plantilla[] = "/tmp/tresnal-corpusXXXXXX";
    ASSERT_NE(mkdtemp(plantilla), nullptr);
    const std::string carpeta = plantilla;
    const std::string esta = fs::read_symlink("/proc/self/exe").string();
    std::string orden = "TRESNAL_CORPUS=" + carpeta + " '" + esta +
                        "' --gtest_filter=-Corpus.* >/dev/null 2>&1";
    ASSERT_EQ(std::system(orden.c_str()), 0) << "las pruebas que escriben el corpus fallan";

    // los generados: Suite_Prueba_NN.txt
    const std::regex generado("[A-Za-z]+_[A-Za-z]+_[0-9]+\\.txt");
    std::map<std::string, std::string> esperados = archivos(carpeta, generado);
    std::map<std::string, std::string> guardados = archivos(corpus, generado);
    fs::remove_all(carpeta);
    EXPECT_FALSE(esperados.empty());
    for (const auto& [nombre, contenido] : esperados) {
        auto it = guardados.find(nombre);
        EXPECT_TRUE(it != guardados.end() && it->second == contenido)
            << nombre << (it == guardados.end() ? " falta" : " es otro")
            << " en fuzz/corpus: correr fuzz/generar_corpus.sh";
    }
    for (const auto& par : guardados) {
        EXPECT_TRUE(esperados.count(par.first))
            << par.first << " sobra en fuzz/corpus: correr fuzz/generar_corpus.sh";
    }
    // los ejemplos, copiados tal cual
    for (const auto& [nombre, contenido] : archivos(corpus, std::regex("ejemplo_.*\\.txt"))) {
        EXPECT_EQ(contenido, leerArchivo(std::string(DIR_EJEMPLOS) + "/" + nombre.substr(8)))
            << nombre;
    }
}

// Cada archivo del corpus con cada línea escrita 25 veces repite 25 veces cada
// bloque, cada fila de una tabla escrita en líneas y cada combo. Ninguna
// clase de aviso (la línea con sus números cambiados por #) pasa de las 20
// líneas de su tope: una clase nueva que se repite por objeto sin tope, con
// su archivo en las tablas de las pruebas, aparece aquí.
TEST(Corpus, CadaClaseDeAvisoTieneTope)
{
    if (std::getenv("TRESNAL_CORPUS")) {
        GTEST_SKIP();
    }
    const fs::path corpus = fs::path(DIR_PRUEBAS) / ".." / "fuzz" / "corpus";
    const std::map<std::string, std::string> archivosDelCorpus = archivos(corpus, std::regex(".*"));
    ASSERT_FALSE(archivosDelCorpus.empty());
    for (const auto& [nombre, contenido] : archivosDelCorpus) {
        std::string repetido;
        std::istringstream is(contenido);
        std::string linea;
        while (std::getline(is, linea)) {
            for (int k = 0; k < 25; k++) {
                repetido += linea + "\n";
            }
        }
        std::map<std::string, int> clases;
        for (const std::string& aviso : avisosDe(cargar(repetido))) {
            clases[std::regex_replace(aviso, std::regex("[0-9]+"), "#")]++;
        }
        for (const auto& [clase, cuenta] : clases) {
            EXPECT_LE(cuenta, 20) << nombre << ": " << clase;
        }
    }
}
