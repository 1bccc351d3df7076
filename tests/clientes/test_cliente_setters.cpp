// Normalization of the customer record: what each setter stores for the values legacy data holds.
#include "common/AppError.h"
#include "common/RegionalFormat.h"
#include "db/TargetDatabase.h"
#include "entities/Cliente.h"
#include <QDate>
#include <gtest/gtest.h>

namespace {
using Setter = void (TConverteCliente::*)(const QString&);
using Getter = const QString& (TConverteCliente::*)() const;

struct Caso {
    const char* nome;  // shown when the case fails
    Setter set;
    Getter get;
    QString entrada;
    QString esperado;
};

QString hoje()
{
    return RegionalFormat::dateToStr(QDate::currentDate()).replace(QLatin1Char('/'), QLatin1Char('.'));
}

QString repete(const char* pedaco, int vezes) { return QString::fromUtf8(pedaco).repeated(vezes); }

// 29 letters, then two double quotes at positions 30 and 31, then more text.
QString aspasNaColuna30() { return QString(29, QLatin1Char('A')) + QStringLiteral("\"\"CONTINUA"); }

class CustomerSetters : public ::testing::Test {
protected:
    TargetDatabase db;  // never connected: the setters touch no database
    TConverteCliente c{db};

    void confere(const std::vector<Caso>& casos)
    {
        for (const Caso& k : casos) {
            SCOPED_TRACE(k.nome);
            SCOPED_TRACE(k.entrada.toStdString());
            (c.*k.set)(k.entrada);
            EXPECT_EQ((c.*k.get)(), k.esperado);
        }
    }
};

using C = TConverteCliente;

TEST_F(CustomerSetters, CodesAreCleanedBeforeTheZeroPadding)
{
    confere({
        {"simples", &C::SetCodCliente, &C::CodCliente, "123", "00000123"},
        {"vazio", &C::SetCodCliente, &C::CodCliente, "", "00000000"},
        {"brancos", &C::SetCodCliente, &C::CodCliente, "  4567  ", "00004567"},
        {"hífen não conta no preenchimento", &C::SetCodCliente, &C::CodCliente, "12-3", "00000123"},
        {"máscara com pontos", &C::SetCodCliente, &C::CodCliente, "9.876.543", "09876543"},
        {"aspas", &C::SetCodCliente, &C::CodCliente, "\"12345678\"", "12345678"},
        {"aspas e máscara", &C::SetCodCliente, &C::CodCliente, "1\"2-3", "00000123"},
        {"largura exata", &C::SetCodCliente, &C::CodCliente, "12345678", "12345678"},
        {"cidade", &C::SetCodCidade, &C::CodCidade, "123", "00123"},
        {"cidade vazia", &C::SetCodCidade, &C::CodCidade, "", ""},
        {"cidade em branco", &C::SetCodCidade, &C::CodCidade, "   ", ""},
        {"cidade com brancos", &C::SetCodCidade, &C::CodCidade, " 12 ", "00012"},
        {"cidade com aspas", &C::SetCodCidade, &C::CodCidade, "\"7\"", "00007"},
        {"cidade de entrega", &C::SetCodCidadeEntr, &C::CodCidadeEntr, "42", "00042"},
        {"cidade de cobrança", &C::SetCodCidadeCob, &C::CodCidadeCob, "00042", "00042"},
        {"país", &C::SetCodPais, &C::CodPais, "55", "0055"},
        {"país com máscara", &C::SetCodPais, &C::CodPais, "10.58", "1058"},
    });
}

TEST_F(CustomerSetters, CodeWiderThanItsWidthFailsAndKeepsThePreviousValue)
{
    struct Longo {
        Setter set;
        Getter get;
        QString anterior, entrada, mensagem;
    };
    const std::vector<Longo> casos = {
        {&C::SetCodCliente, &C::CodCliente, "123", "123456789",
         "Código do cliente '123456789' tem mais de 8 caracteres."},
        // Nine digits once the mask is gone: cutting would lose the last one.
        {&C::SetCodCliente, &C::CodCliente, "123", "9.876.543-21",
         "Código do cliente '987654321' (na origem: '9.876.543-21') tem mais de 8 caracteres."},
        {&C::SetCodCidade, &C::CodCidade, "7", "123456", "Código da cidade '123456' tem mais de 5 caracteres."},
        {&C::SetCodCidadeCob, &C::CodCidadeCob, "7", "1234567",
         "Código da cidade '1234567' tem mais de 5 caracteres."},
        {&C::SetCodPais, &C::CodPais, "55", "12345", "Código do país '12345' tem mais de 4 caracteres."},
    };
    for (const Longo& k : casos) {
        SCOPED_TRACE(k.entrada.toStdString());
        (c.*k.set)(k.anterior);
        const QString antes = (c.*k.get)();
        try {
            (c.*k.set)(k.entrada);
            ADD_FAILURE() << "no error raised";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), k.mensagem);
        }
        EXPECT_EQ((c.*k.get)(), antes);
    }
}

TEST_F(CustomerSetters, CodesThatIgnoreAnEmptyValue)
{
    c.SetCodPais(QStringLiteral("55"));
    c.SetCodClasCli(QStringLiteral("A1"));
    confere({
        {"país vazio mantém", &C::SetCodPais, &C::CodPais, "", "0055"},
        {"país em branco mantém", &C::SetCodPais, &C::CodPais, "   ", "0055"},
        {"classe vazia mantém", &C::SetCodClasCli, &C::CodClasCli, "", "A1"},
        {"classe só de aspas mantém", &C::SetCodClasCli, &C::CodClasCli, "\"\"", "A1"},
        {"classe com aspas", &C::SetCodClasCli, &C::CodClasCli, "\"B2\"", "B2"},
        // The other codes are stored as given, without their double quotes.
        {"fornecedor", &C::SetCodFornec, &C::CodFornec, "\"000123\"", "000123"},
        {"segmento não é aparado", &C::SetCodSegmento, &C::CodSegmento, " 01 ", " 01 "},
        {"vendedor", &C::SetCodVendend1, &C::CodVendend1, "V\"1", "V1"},
    });
}

TEST_F(CustomerSetters, FreeTextsAreTrimmedAndCut)
{
    const QString nome70 = QStringLiteral("   ") + repete("ABCDEFGHIJ", 7);
    confere({
        {"nome aparado antes do corte", &C::SetNome, &C::Nome, nome70, repete("ABCDEFGHIJ", 6)},
        {"nome com acentos", &C::SetNome, &C::Nome, "  José da Conceição  ", "José da Conceição"},
        {"nome com apóstrofo e aspas", &C::SetNome, &C::Nome, "Maria D'Ávila \"Mariinha\"",
         "Maria D'Ávila Mariinha"},
        {"aspas no fim deixam um branco que é aparado", &C::SetNome, &C::Nome, "ANA \"", "ANA"},
        {"contato", &C::SetContato, &C::Contato, "  " + repete("C", 55), repete("C", 50)},
        {"nome fantasia", &C::SetNomeFantasia, &C::NomeFantasia, "  Farmácia Boa Vida  ", "Farmácia Boa Vida"},
        {"nome fantasia longo", &C::SetNomeFantasia, &C::NomeFantasia, repete("F", 51), repete("F", 50)},
        {"endereço", &C::SetEndereco, &C::Endereco, " Rua \"A\", 12 ", "Rua A, 12"},
        {"endereço de entrega", &C::SetEnderecoEntr, &C::EnderecoEntr, repete("E", 61), repete("E", 60)},
        {"endereço de cobrança", &C::SetEnderecoCob, &C::EnderecoCob, "  Av. Brasil  ", "Av. Brasil"},
        {"bairro não é aparado", &C::SetBairro, &C::Bairro, "  Centro  ", "  Centro  "},
        {"bairro com aspas nas colunas 30 e 31", &C::SetBairro, &C::Bairro, aspasNaColuna30(),
         QString(29, QLatin1Char('A'))},
        {"bairro de entrega", &C::SetBairroEntr, &C::BairroEntr, repete("B", 31), repete("B", 30)},
        {"bairro de cobrança aparado", &C::SetBairroCob, &C::BairroCob, "  " + repete("S", 40), repete("S", 30)},
        {"nome da cidade", &C::SetNomeCidade, &C::NomeCidade, repete("N", 31), repete("N", 30)},
        {"nome da cidade de entrega", &C::SetNomeCidadeEntr, &C::NomeCidadeEntr, "São \"João\"", "São João"},
        {"nome da cidade de cobrança", &C::SetNomeCidadeCob, &C::NomeCidadeCob, " Ipatinga", " Ipatinga"},
        {"e-mail", &C::SetEmail, &C::Email, "  fulano@exemplo.com.br  ", "fulano@exemplo.com.br"},
        {"página", &C::SetHomePage, &C::HomePage, " www." + repete("h", 40), "www." + repete("h", 26)},
        {"observação", &C::SetObsercacao, &C::Observacao, repete("o", 120), repete("o", 100)},
        // Each quote removed is followed by the cut, so the text after a quote loses its place.
        {"livre 1 com aspas", &C::SetCampoLivre1, &C::CampoLivre1, "MG-12.345.678 \"SSP\" emitida",
         "MG-12.345.678 SSP e"},
        {"livre 2", &C::SetCampoLivre2, &C::CampoLivre2, repete("2", 21), repete("2", 20)},
        {"livre 3", &C::SetCampoLivre3, &C::CampoLivre3, repete("3", 70), repete("3", 60)},
        {"livre 4", &C::SetCampoLivre4, &C::CampoLivre4, repete("4", 61), repete("4", 60)},
        {"livre 5", &C::SetCampoLivre5, &C::CampoLivre5, repete("5", 50), repete("5", 40)},
        {"livre 6", &C::SetCampoLivre6, &C::CampoLivre6, repete("6", 41), repete("6", 40)},
        {"livre 7", &C::SetCampoLivre7, &C::CampoLivre7, repete("7", 41), repete("7", 40)},
        {"livre 8", &C::SetCampoLivre8, &C::CampoLivre8, repete("8", 41), repete("8", 40)},
        {"livre 9", &C::SetCampoLivre9, &C::CampoLivre9, repete("9", 41), repete("9", 40)},
        {"livre 10", &C::SetCampoLivre10, &C::CampoLivre10, repete("X", 50), repete("X", 40)},
        {"sócio", &C::SetNomeSocio, &C::NomeSocio, repete("s", 60), repete("s", 50)},
        {"nome da mãe inteiro", &C::SetNomeMae, &C::NomeMae, repete("m", 90), repete("m", 90)},
        {"nome do pai sem aspas", &C::SetNomePai, &C::NomePai, "\"Zé\"", "Zé"},
    });
}

TEST_F(CustomerSetters, StatesLettersAndFlags)
{
    confere({
        {"estado", &C::SetEstado, &C::Estado, "mg", "MG"},
        {"estado por extenso", &C::SetEstado, &C::Estado, "Minas", "MI"},
        {"estado cortado antes de aparar", &C::SetEstado, &C::Estado, "  mg", "  "},
        {"estado com aspas", &C::SetEstado, &C::Estado, "\"sp\"", "SP"},
        {"acento também vira maiúscula", &C::SetEstado, &C::Estado, "pá", "PÁ"},
        {"acento no estado de entrega", &C::SetEstadoEntr, &C::EstadoEntr, " sã", "SÃ"},
        {"acento no estado de cobrança", &C::SetEstadoCob, &C::EstadoCob, "çé", "ÇÉ"},
        {"estado de entrega aparado primeiro", &C::SetEstadoEntr, &C::EstadoEntr, "  mg", "MG"},
        {"estado de cobrança", &C::SetEstadoCob, &C::EstadoCob, "rj", "RJ"},
        {"estado de cobrança não aparado", &C::SetEstadoCob, &C::EstadoCob, "  rj", "  "},
        {"pessoa", &C::SetPessoa_FJ, &C::Pessoa_FJ, "Juridica", "J"},
        {"pessoa vazia", &C::SetPessoa_FJ, &C::Pessoa_FJ, "", ""},
        {"ativo", &C::SetAtivo, &C::Ativo, "Sim", "S"},
        {"ativo vazio", &C::SetAtivo, &C::Ativo, "", ""},
        {"bloqueado", &C::SetCliBloqueado, &C::CliBloqueado, "\"S\"", "S"},
        {"mala direta inteira", &C::SetMalaDiretaEletr, &C::MalaDiretaEletr, "Sim", "Sim"},
        {"protestar", &C::SetProtestarCliente, &C::ProtestarCliente, "N", "N"},
    });
}

TEST_F(CustomerSetters, DocumentsLoseTheirMask)
{
    confere({
        {"cep", &C::SetCep, &C::Cep, "30.130-000", "30130000"},
        {"cep com dígito a mais", &C::SetCep, &C::Cep, "30130-0001", "30130000"},
        {"cep com aspas", &C::SetCep, &C::Cep, "\"30130\"-000", "30130000"},
        {"cep vazio", &C::SetCep, &C::Cep, "", ""},
        {"cep de entrega", &C::SetCepEntr, &C::CepEntr, "36.010-000", "36010000"},
        {"cep de cobrança", &C::SetCepCob, &C::CepCob, "CEP 01310-100", "01310100"},
        {"cnpj", &C::SetCgcCpf, &C::CgcCpf, "12.345.678/0001-90", "12345678000190"},
        {"cpf", &C::SetCgcCpf, &C::CgcCpf, "123.456.789-01", "12345678901"},
        {"cpf com aspas", &C::SetCgcCpf, &C::CgcCpf, "\"123.456.789-01\"", "12345678901"},
        {"isento mantido", &C::SetCgcCpf, &C::CgcCpf, " isento ", " ISENTO "},
        {"outra isenção some", &C::SetCgcCpf, &C::CgcCpf, "Isenta", ""},
        {"inscrição estadual", &C::SetInscEst, &C::InscEst, "062.307.904/0081", "0623079040081"},
        {"inscrição estadual isenta", &C::SetInscEst, &C::InscEst, "ISENTO", "ISENTO"},
        {"inscrição estadual longa", &C::SetInscEst, &C::InscEst, "1234.5678.9012.3456", "123456789012345"},
        {"inscrição municipal", &C::SetInscMunicipal, &C::InscMunicipal, "12.345-6", "123456"},
    });
}

TEST_F(CustomerSetters, PhonesLoseTheirMaskBeforeTheCut)
{
    confere({
        {"fone com DDD", &C::SetFone, &C::Fone, "(31) 3333-4444", "3133334444"},
        {"fone de 8 dígitos ganha 31", &C::SetFone, &C::Fone, "3333-4444", "3133334444"},
        {"fone com zero no DDD", &C::SetFone, &C::Fone, "(031) 3333-4444", "3133334444"},
        {"fone com 0031", &C::SetFone, &C::Fone, "0031 3333 4444", "3133334444"},
        // Cutting first would have kept "+55 (31) 3333-4" and lost the last digits.
        {"fone com país", &C::SetFone, &C::Fone, "+55 (31) 3333-4444", "553133334444"},
        {"fone com aspas", &C::SetFone, &C::Fone, "\"3333\"-4444", "3133334444"},
        {"fone longo cortado no fim", &C::SetFone, &C::Fone, "(31) 3333-4444 / 3333-5555", "313333444433335"},
        {"fone zero", &C::SetFone, &C::Fone, "0", ""},
        {"fone de zeros", &C::SetFone, &C::Fone, " 000000000000", "0"},
        {"fone vazio", &C::SetFone, &C::Fone, "", ""},
        {"fax", &C::SetFax, &C::Fax, "(31) 2222-1111", "3122221111"},
        {"fax de 8 dígitos", &C::SetFax, &C::Fax, " 2222-1111 ", "3122221111"},
        {"fax com aspas", &C::SetFax, &C::Fax, "\"(31)\" 2222-1111", "3122221111"},
        {"fax vazio", &C::SetFax, &C::Fax, "", ""},
        {"prefixo", &C::SetPrefixCelular, &C::PrefixCelular, "(031)", "031"},
        {"prefixo longo", &C::SetPrefixCelular, &C::PrefixCelular, "(31) 9", "319"},
        {"prefixo cortado", &C::SetPrefixCelular, &C::PrefixCelular, "0xx31 98", "0319"},
        {"celular", &C::SetCelular, &C::Celular, "(31) 98765-4321", "31987654321"},
        {"celular de 25 dígitos", &C::SetCelular, &C::Celular, repete("12345", 5), repete("12345", 4)},
        {"celular com aspas", &C::SetCelular, &C::Celular, repete("12345", 2) + "\"" + repete("12345", 3),
         repete("12345", 4)},
        {"celular com máscara longa", &C::SetCelular, &C::Celular, "(31) 9 8765-4321 / (31) 9 1234-5678",
         "31987654321319123456"},
    });
}

TEST_F(CustomerSetters, DatesAreRewrittenOrKeptAsGiven)
{
    confere({
        {"nascimento", &C::SetDT_Nascimento, &C::DT_Nascimento, "25/03/1970", "25.03.1970"},
        {"nascimento com hífens", &C::SetDT_Nascimento, &C::DT_Nascimento, "25-03-1970", "25.03.1970"},
        {"nascimento com pontos", &C::SetDT_Nascimento, &C::DT_Nascimento, "25.03.1970", "25.03.1970"},
        {"nascimento como número de dias", &C::SetDT_Nascimento, &C::DT_Nascimento, "25640", "13.03.1970"},
        {"nascimento vazio", &C::SetDT_Nascimento, &C::DT_Nascimento, "", ""},
        {"nascimento ilegível guarda o texto", &C::SetDT_Nascimento, &C::DT_Nascimento, "abc", "abc"},
        {"nascimento fora da faixa", &C::SetDT_Nascimento, &C::DT_Nascimento, "20120315", "20120315"},
        {"cadastro", &C::SetDT_Cadastro, &C::DT_Cadastro, "02/05/2008", "02.05.2008"},
        {"cadastro vazio é hoje", &C::SetDT_Cadastro, &C::DT_Cadastro, "", hoje()},
        {"cadastro máscara vazia é hoje", &C::SetDT_Cadastro, &C::DT_Cadastro, "  -   -", hoje()},
        {"cadastro ilegível guarda o texto", &C::SetDT_Cadastro, &C::DT_Cadastro, "abc", "abc"},
        {"última venda", &C::SetDt_Ult_Venda, &C::Dt_Ult_Venda, "10-01-2013", "10.01.2013"},
        {"última venda ilegível", &C::SetDt_Ult_Venda, &C::Dt_Ult_Venda, "abc", ""},
        {"última venda vazia é hoje", &C::SetDt_Ult_Venda, &C::Dt_Ult_Venda, "", hoje()},
        {"validade", &C::SetDT_Valcad, &C::DT_ValCad, "41000", "01.04.2012"},
        {"validade ilegível", &C::SetDT_Valcad, &C::DT_ValCad, "31/02/x", "31.02.x"},
        {"validade fora da faixa", &C::SetDT_Valcad, &C::DT_ValCad, "99999999", ""},
    });
}

TEST_F(CustomerSetters, CreditLimitIsStoredAsItCame)
{
    c.SetLimiteCredito(2500.75);
    EXPECT_DOUBLE_EQ(c.LimiteCredito(), 2500.75);
    c.SetLimiteCredito(-1e-7);
    EXPECT_DOUBLE_EQ(c.LimiteCredito(), -1e-7);
}

TEST_F(CustomerSetters, NewRecordStartsClean)
{
    EXPECT_EQ(c.CodCliente(), "00000000");
    EXPECT_EQ(c.Pessoa_FJ(), "F");
    EXPECT_EQ(c.Ativo(), "S");
    EXPECT_EQ(c.CliBloqueado(), "N");
    EXPECT_EQ(c.MalaDiretaEletr(), "N");
    EXPECT_EQ(c.ProtestarCliente(), "N");
    EXPECT_EQ(c.DT_Cadastro(), hoje());
    for (const QString& v : {c.CodPais(), c.Nome(), c.CodCidade(), c.DT_Nascimento(), c.Dt_Ult_Venda(),
                             c.DT_ValCad(), c.Contato(), c.CodClasCli(), c.Fone()})
        EXPECT_EQ(v, "");
    EXPECT_EQ(c.LimiteCredito(), 0);
}

TEST_F(CustomerSetters, LimpaVariavelRestoresTheInitialValuesAndLeavesTheOthersAlone)
{
    // Every field gets a value first.
    const std::vector<std::pair<Setter, QString>> todos = {
        {&C::SetCodCliente, "5"}, {&C::SetCodFornec, "F1"}, {&C::SetNome, "N"}, {&C::SetContato, "CT"},
        {&C::SetNomeFantasia, "NF"}, {&C::SetEndereco, "E"}, {&C::SetEnderecoEntr, "EE"},
        {&C::SetEnderecoCob, "EC"}, {&C::SetBairro, "B"}, {&C::SetBairroEntr, "BE"}, {&C::SetBairroCob, "BC"},
        {&C::SetCodCidade, "1"}, {&C::SetNomeCidade, "NC"}, {&C::SetCodCidadeEntr, "2"},
        {&C::SetNomeCidadeEntr, "NCE"}, {&C::SetCodCidadeCob, "3"}, {&C::SetNomeCidadeCob, "NCC"},
        {&C::SetEstado, "MG"}, {&C::SetEstadoEntr, "SP"}, {&C::SetEstadoCob, "RJ"}, {&C::SetCep, "1"},
        {&C::SetCepEntr, "2"}, {&C::SetCepCob, "3"}, {&C::SetCgcCpf, "4"}, {&C::SetInscEst, "5"},
        {&C::SetInscMunicipal, "6"}, {&C::SetPessoa_FJ, "J"}, {&C::SetFone, "31987654321"},
        {&C::SetFax, "31987654322"}, {&C::SetPrefixCelular, "31"}, {&C::SetCelular, "9"}, {&C::SetEmail, "M"},
        {&C::SetHomePage, "H"}, {&C::SetAtivo, "N"}, {&C::SetNomeMae, "MAE"}, {&C::SetNomePai, "PAI"},
        {&C::SetCliBloqueado, "S"}, {&C::SetMalaDiretaEletr, "S"}, {&C::SetProtestarCliente, "S"},
        {&C::SetDT_Nascimento, "01/01/2000"}, {&C::SetDT_Cadastro, "02/02/2001"},
        {&C::SetDt_Ult_Venda, "03/03/2002"}, {&C::SetDT_Valcad, "04/04/2003"}, {&C::SetObsercacao, "O"},
        {&C::SetCampoLivre1, "1"}, {&C::SetCampoLivre2, "2"}, {&C::SetCampoLivre3, "3"},
        {&C::SetCampoLivre4, "4"}, {&C::SetCampoLivre5, "5"}, {&C::SetCampoLivre6, "6"},
        {&C::SetCampoLivre7, "7"}, {&C::SetCampoLivre8, "8"}, {&C::SetCampoLivre9, "9"},
        {&C::SetCampoLivre10, "10"}, {&C::SetCodPais, "55"}, {&C::SetNomeSocio, "SO"},
        {&C::SetCodSegmento, "SG"}, {&C::SetCodClasCli, "CL"}, {&C::SetCodVendend1, "V"},
    };
    for (const auto& [set, valor] : todos)
        (c.*set)(valor);
    c.SetLimiteCredito(10);

    c.LimpaVariavel();

    struct Esperado {
        Getter get;
        QString valor;
    };
    const std::vector<Esperado> depois = {
        {&C::CodCliente, "00000000"}, {&C::Pessoa_FJ, "F"}, {&C::Ativo, "S"}, {&C::CliBloqueado, "N"},
        {&C::MalaDiretaEletr, "N"}, {&C::ProtestarCliente, "N"}, {&C::DT_Cadastro, hoje()},
        {&C::Nome, ""}, {&C::NomeFantasia, ""}, {&C::Endereco, ""}, {&C::EnderecoEntr, ""},
        {&C::EnderecoCob, ""}, {&C::Bairro, ""}, {&C::BairroEntr, ""}, {&C::BairroCob, ""},
        {&C::CodCidade, ""}, {&C::CodCidadeEntr, ""}, {&C::CodCidadeCob, ""}, {&C::Estado, ""},
        {&C::EstadoEntr, ""}, {&C::EstadoCob, ""}, {&C::Cep, ""}, {&C::CepEntr, ""}, {&C::CepCob, ""},
        {&C::CgcCpf, ""}, {&C::InscEst, ""}, {&C::Fone, ""}, {&C::Fax, ""}, {&C::PrefixCelular, ""},
        {&C::Celular, ""}, {&C::Email, ""}, {&C::HomePage, ""}, {&C::DT_Nascimento, ""},
        {&C::CampoLivre1, ""}, {&C::CampoLivre2, ""}, {&C::CampoLivre3, ""}, {&C::CampoLivre4, ""},
        {&C::CampoLivre5, ""}, {&C::CampoLivre6, ""}, {&C::CampoLivre7, ""}, {&C::CampoLivre8, ""},
        {&C::CampoLivre9, ""}, {&C::CampoLivre10, ""}, {&C::Observacao, ""},
        // Untouched by the reset: they carry over to the next customer.
        {&C::CodPais, "0055"}, {&C::CodFornec, "F1"}, {&C::Contato, "CT"}, {&C::NomeCidade, "NC"},
        {&C::NomeCidadeEntr, "NCE"}, {&C::NomeCidadeCob, "NCC"}, {&C::InscMunicipal, "6"},
        {&C::NomeMae, "MAE"}, {&C::NomePai, "PAI"}, {&C::Dt_Ult_Venda, "03.03.2002"},
        {&C::DT_ValCad, "04.04.2003"}, {&C::NomeSocio, "SO"}, {&C::CodSegmento, "SG"},
        {&C::CodClasCli, "CL"}, {&C::CodVendend1, "V"},
    };
    int i = 0;
    for (const Esperado& e : depois) {
        SCOPED_TRACE(i++);
        EXPECT_EQ((c.*e.get)(), e.valor);
    }
    EXPECT_EQ(c.LimiteCredito(), 10);
}
}  // namespace
